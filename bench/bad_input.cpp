// Times what files beside the program can cost it: opening help on a help file
// of one 1 MB line and on one of 66 229 topics (first opening, again while
// open, again after closing), and start-up with a 64 MB .lnk among the
// shortcuts. Prints milliseconds, each the median of five; an empty help file,
// which opens the carried help, gives the times to compare with.
//   bad_input.exe
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "help/HelpViewer.h"
#include "mascot/MascotWindow.h"
#include "toolkit/Application.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double MedianOfFive(const std::function<double()>& once) {
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) times.push_back(once());
    std::sort(times.begin(), times.end());
    return times[2];
}

std::wstring TempPath(const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

void WriteBytes(const std::wstring& path, const std::string& bytes, int times = 1) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    for (int i = 0; i < times; ++i) {
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    CloseHandle(file);
}

HWND Viewer() {
    return FindWindowW(pelnor::kHelpViewerClass, nullptr);
}

double OpenHelp(HWND owner, const std::wstring& file) {
    const auto started = Clock::now();
    pelnor::HelpContents(owner, file);
    tk::Application().ProcessMessages();
    return Milliseconds(Clock::now() - started);
}

void HelpTimes(const char* what, HWND owner, const std::string& bytes) {
    const std::wstring file = TempPath(L"pelnor-bench-help.hlp");
    WriteBytes(file, bytes);
    const double first = MedianOfFive([&] {
        // A new time stamp each round, so the file is read again.
        WriteBytes(file, bytes);
        const double ms = OpenHelp(owner, file);
        DestroyWindow(Viewer());
        return ms;
    });
    OpenHelp(owner, file);
    const double again = MedianOfFive([&] { return OpenHelp(owner, file); });
    const double reopened = MedianOfFive([&] {
        DestroyWindow(Viewer());
        return OpenHelp(owner, file);
    });
    DestroyWindow(Viewer());
    DeleteFileW(file.c_str());
    std::printf(
        "help, %s: first opening %.0f ms, again while open %.0f ms, after closing %.0f ms\n", what,
        first, again, reopened);
}

bool MakeShortcut(const std::wstring& path) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    link->SetPath(L"C:\\windows\\notepad.exe");
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(path.c_str(), TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

double StartUp(const std::wstring& folder) {
    pelnor::MascotEnvironment environment = pelnor::MascotEnvironment::System();
    environment.executablePath = [folder] { return folder + L"\\Pelnor.exe"; };
    const auto started = Clock::now();
    pelnor::MascotWindow main(environment);
    if (!main.Create()) return -1;
    return Milliseconds(Clock::now() - started);
}

void StartUpTimes() {
    const std::wstring folder = TempPath(L"pelnor-bench-startup");
    CreateDirectoryW(folder.c_str(), nullptr);
    const double none = MedianOfFive([&] { return StartUp(folder); });
    for (int i = 0; i < 10; ++i) MakeShortcut(folder + L"\\s" + std::to_wstring(i) + L".lnk");
    const double ten = MedianOfFive([&] { return StartUp(folder); });
    // A shortcut's header, then 64 MB of something else.
    std::string block(1 << 20, 'Z');
    const std::wstring big = folder + L"\\big.lnk";
    WriteBytes(big, block, 64);
    const double withBig = MedianOfFive([&] { return StartUp(folder); });
    std::printf(
        "start-up: no shortcuts %.0f ms, 10 shortcuts %.0f ms, 10 and a 64 MB .lnk %.0f ms\n", none,
        ten, withBig);
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\*.lnk").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

int wmain() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                                       20, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HelpTimes("the carried help's own text, for comparison", owner, "");
    HelpTimes("one line of 1 MB", owner,
              "#pelnor-help 1\n#topic a\n" + std::string((1 << 20) - 32, 'x') + "\n");
    std::string topics = "#pelnor-help 1\n";
    for (int i = 0; i < 66229; ++i) topics += "#topic " + std::to_string(i) + "\nx\n";
    HelpTimes("66229 topics", owner, topics);
    StartUpTimes();
    DestroyWindow(owner);
    CoUninitialize();
    return 0;
}

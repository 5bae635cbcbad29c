#include "platform/ShellLaunch.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <memory>
#include <optional>

#include "core/LaunchParams.h"

#include "platform/Shell.h"
#include "winbase/Handles.h"

namespace pelnor {
namespace {

std::function<void(const LaunchRequest&)>& TestShell() {
    static std::function<void(const LaunchRequest&)> shell;
    return shell;
}

// The shell link's ids, written out: linking libuuid for them would bring in
// some 46 KB of other ids that sit in the same objects.
constexpr CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kShellLinkInterface = {0x000214F9, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kPersistFileInterface = {0x0000010B, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

bool Started(HINSTANCE result) {
    return reinterpret_cast<INT_PTR>(result) > 32;
}

// Starts what the shortcut file points at, read through the shell link object.
void StartShortcutTarget(HWND owner, const std::wstring& shortcut, const std::wstring& folder) {
    IShellLinkW* rawLink = nullptr;
    if (FAILED(shell::CreateInstance(kShellLinkClass, kShellLinkInterface,
                                     reinterpret_cast<void**>(&rawLink))))
        return;
    const tk::ComPtr<IShellLinkW> link(rawLink);
    IPersistFile* rawFile = nullptr;
    if (FAILED(link->QueryInterface(kPersistFileInterface, reinterpret_cast<void**>(&rawFile))))
        return;
    const tk::ComPtr<IPersistFile> file(rawFile);
    if (FAILED(file->Load(shortcut.c_str(), STGM_READ))) return;

    std::array<wchar_t, MAX_PATH> target{};
    std::array<wchar_t, INFOTIPSIZE> arguments{};
    std::array<wchar_t, MAX_PATH> workingFolder{};
    int show = SW_SHOWNORMAL;
    link->GetPath(target.data(), static_cast<int>(target.size()), nullptr, SLGP_RAWPATH);
    link->GetArguments(arguments.data(), static_cast<int>(arguments.size()));
    link->GetWorkingDirectory(workingFolder.data(), static_cast<int>(workingFolder.size()));
    link->GetShowCmd(&show);

    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_DOENVSUBST;
    info.hwnd = owner;
    info.lpParameters = arguments[0] ? arguments.data() : nullptr;
    info.lpDirectory =
        workingFolder[0] ? workingFolder.data() : (folder.empty() ? nullptr : folder.c_str());
    info.nShow = show;
    PIDLIST_ABSOLUTE item = nullptr;
    if (target[0]) {
        info.lpFile = target.data();
    } else if (SUCCEEDED(link->GetIDList(&item)) && item) {
        // A shortcut to something that is not a file, a shell folder say.
        info.fMask |= SEE_MASK_IDLIST;
        info.lpIDList = item;
    } else {
        return;
    }
    shell::Execute(info);
    shell::FreeTaskMemory(item);
}

}  // namespace

// The short 8.3 form of an existing path, or nothing.
std::optional<std::wstring> ShortPath(const std::wstring& path) {
    const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::wstring shortPath(needed, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed) return std::nullopt;
    shortPath.resize(length);
    return shortPath;
}

void SetShellForTesting(std::function<void(const LaunchRequest&)> shell) {
    TestShell() = std::move(shell);
}

HINSTANCE LaunchFile(HWND owner, const std::wstring& file, const std::wstring& parameters,
                     const std::wstring& folder, int show) {
    if (TestShell()) {
        TestShell()({file, parameters, folder, show});
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
    }
    // No error box of the shell's own: a start that fails is silent.
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = show;
    shell::Execute(info);
    return info.hInstApp;
}

void OpenFolderInExplorer(HWND owner, const std::wstring& folder) {
    std::wstring named = folder;
    if (folder.size() > kLongestExplorerFolder) named = ShortPath(folder).value_or(folder);
    LaunchFile(owner, std::wstring(kExplorer), ExplorerFolderParameters(named), L"", SW_SHOW);
}

void OpenShortcut(HWND owner, const std::wstring& shortcut, const std::wstring& folder) {
    if (Started(LaunchFile(owner, shortcut, L"", folder, SW_SHOW))) return;
    StartShortcutTarget(owner, shortcut, folder);
}

}  // namespace pelnor

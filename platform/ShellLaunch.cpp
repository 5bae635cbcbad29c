#include "platform/ShellLaunch.h"

#include <shellapi.h>


namespace pelnor {
namespace {

std::function<void(const LaunchRequest&)>& TestShell() {
    static std::function<void(const LaunchRequest&)> shell;
    return shell;
}

}  // namespace

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
    ShellExecuteExW(&info);
    return info.hInstApp;
}

}  // namespace pelnor

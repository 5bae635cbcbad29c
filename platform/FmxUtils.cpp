#include "platform/FmxUtils.h"

#include <shellapi.h>

#include "toolkit/Application.h"

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

HINSTANCE LaunchFile(const std::wstring& file, const std::wstring& parameters,
                     const std::wstring& folder, int show) {
    if (TestShell()) {
        TestShell()({file, parameters, folder, show});
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
    }
    return ShellExecuteW(tk::Application().MainWindow, nullptr, file.c_str(),
                         parameters.empty() ? nullptr : parameters.c_str(),
                         folder.empty() ? nullptr : folder.c_str(), show);
}

}  // namespace pelnor

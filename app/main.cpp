// Pelnor: a desktop mascot with a one-shot alarm.
#include <windows.h>

#include <cstdlib>
#include <exception>
#include <string>

#include "core/Decimal.h"
#include "mascot/MascotWindow.h"
#include "platform/Shell.h"
#include "toolkit/Application.h"

namespace {

// The one failure the user is told of: without its window the program has
// nothing to show.
int StartUpFailed(const std::wstring& title) {
    const DWORD error = GetLastError();
    const std::wstring text = L"モフレンのウィンドウを作成できませんでした。(エラー " +
                              pelnor::DecimalText(error) + L")";
    MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
    return 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // A terminate ends the process at once (app/QuietTerminate.cpp).
    std::set_terminate(std::abort);

    tk::ApplicationState& application = tk::Application();
    application.Title = L"モフレン";

    int exitCode = 1;
    {
        pelnor::MascotWindow main;
        main.SetQuitOnDestroy(true);
        if (main.Create()) {
            application.SetAccelerators(main.Handle(), main.Accelerators());
            ShowWindow(main.Handle(), SW_SHOW);
            exitCode = application.Run();
        } else {
            exitCode = StartUpFailed(application.Title);
        }
    }

    // COM, if starting something opened it.
    pelnor::shell::Close();
    return exitCode;
}

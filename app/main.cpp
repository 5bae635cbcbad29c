// Pelnor: a desktop mascot with a one-shot alarm.
#include <windows.h>

#include "mascot/MascotWindow.h"
#include "platform/Shell.h"
#include "toolkit/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tk::ApplicationState& application = tk::Application();
    application.Title = L"モフレン";

    int exitCode = 1;
    {
        pelnor::MascotWindow main;
        main.QuitOnDestroy = true;
        if (main.Create()) {
            application.SetAccelerators(main.Handle(), main.Menu.Accelerators());
            ShowWindow(main.Handle(), SW_SHOW);
            exitCode = application.Run();
        }
    }

    // COM, if starting something opened it.
    pelnor::shell::Close();
    return exitCode;
}

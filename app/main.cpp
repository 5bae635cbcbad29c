// Pelnor: a desktop mascot with a one-shot alarm.
#include <windows.h>
#include <objbase.h>

#include "mascot/MascotWindow.h"
#include "toolkit/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The shell needs COM to open shortcut files.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    tk::TApplication& application = tk::Application();
    application.Initialize();
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

    if (SUCCEEDED(com)) CoUninitialize();
    return exitCode;
}

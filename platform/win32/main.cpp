// Program entry: creates the main window, raises its load event and runs the message loop until
// the main window ends the program.

#include "main_window/frmMain.h"
#include "platform/event_dispatch.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_application.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/window_queries_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace tarnwick;
    win32::RestrictDllSearchToSystemFolder();
    try {
        win32::Win32Application app;
        win32::Win32Services services;
        app.FinishBeforeEnd(services.screenRepainter());
        win32::Win32WindowQueries queries;
        frmMain mainWindow(Platform{app, services, queries});
        mainWindow.form().Load();
        app.RunMessageLoop();
    } catch (const std::exception& failure) {
        ReportHandlerFailure("start-up", failure.what());
        return 1;
    }
    return 0;
}

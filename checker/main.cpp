// VORTAU.exe: all of the program's work happens in the application object's start-up.

#include <windows.h>

#include "checker/halvex_app.h"

static corvane::CHalvexApp theApp;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    theApp.InitInstance();
    return 0;
}

// VORTA.exe: all of the launcher's work happens in the application object's start-up.

#include <windows.h>

#include "launcher/vorta_app.h"

static corvane::CVORTAApp theApp;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    theApp.InitInstance();
    return theApp.ExitInstance();
}

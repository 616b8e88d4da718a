// A Wlanapi.dll as an attacker would plant it beside the program. Loading it runs its DllMain,
// which leaves a mark for the tests to find; it exports nothing.

#include <windows.h>

#include "tests/wine/wlan/planted_wlanapi.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        ::SetEnvironmentVariableW(kPlantedWlanApiMark, L"1");
    }
    return TRUE;
}

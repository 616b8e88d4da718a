#include "checker/checks/utility_table.h"

namespace corvane {

UtilityTable MakeUtilityTable() {
    return {{
        {u"", u"ACS", u"", u"", u"", u"ACS", u"", kUtilityNone, 0, 0},  // 0
        {u"WZCSLDR.exe", u"", u"", u"ANIWZCS launcher for Windows.", u"WZCSLDR.exe", u"",
         u"ANIWZCS launcher for Windows.", kUtilityTerminate, 0, 0},  // 1
        {u"WN511T.exe", u"", u"", u"Netgear Client Utility", u"WN511T.exe", u"",
         u"Netgear Client Utility", kUtilityTerminate, 0, 0},  // 2
        {u"", u"Bwsvc", u"", u"", u"cm3_tray.exe", u"", u"Client Manager3 TrayManager",
         kUtilityNone, 0, 0},                                               // 3
        {u"", u"AcSvc", u"", u"", u"", u"AcSvc", u"", kUtilityNone, 0, 0},  // 4
        {u"QCTRAY.EXE", u"", u"", u"IBM Access Connections - Taskbar Application.", u"QCTRAY.EXE",
         u"", u"IBM Access Connections - Taskbar Application.", kUtilityTerminate, 0, 0},  // 5
        {u"WZCSLDR2.exe", u"", u"", u"ANIWZCS2 launcher for Windows.", u"WZCSLDR2.exe", u"",
         u"ANIWZCS2 launcher for Windows.", kUtilityTerminate, 0, 0},  // 6
        {u"GCC.exe", u"", u"Afx:400000:0", u"Gcc MFC Application", u"GCC.exe", u"",
         u"Gcc MFC Application", kUtilityCloseWindow, 0, 0},  // 7
        {u"wlancfg5.exe", u"", u"", u"NetgearCUv2 MFC Application", u"wlancfg5.exe", u"",
         u"NetgearCUv2 MFC Application", kUtilityTerminate, 0, 0},  // 8
        {u"WGM511.exe", u"", u"", u"Netgear Client Utility", u"WGM511.exe", u"",
         u"Netgear Client Utility", kUtilityTerminate, 6000, 0},  // 9
        {u"WPNT511.exe", u"", u"", u"WPNT511 MFC Application", u"WPNT511.exe", u"",
         u"WPNT511 MFC Application", kUtilityTerminate, 0, 0},  // 10
        {u"WPC300N.exe", u"", u"Afx:400000:0", u"Gcc MFC Application", u"WPC300N.exe", u"",
         u"Gcc MFC Application", kUtilityCloseWindow, 0, 0},  // 11
        {u"Gcc.exe", u"", u"Afx:400000:0", u"Gcc", u"Gcc.exe", u"", u"Gcc", kUtilityCloseWindow, 0,
         0},  // 12
        {u"WPC54GX4.exe", u"", u"", u"Wireless-G Notebook Adapter with SRX400 Utility",
         u"WPC54GX4.exe", u"", u"Wireless-G Notebook Adapter with SRX400 Utility",
         kUtilityTerminate, 0, 0},                                                        // 13
        {u"", u"WUSB54GPSVC", u"", u"", u"", u"WUSB54GPSVC", u"", kUtilityNone, 500, 0},  // 14
        {u"", u"NICSer_WUSBF54G", u"", u"", u"", u"NICSer_WUSBF54G", u"", kUtilityNone, 0,
         0},  // 15
        {u"WG511v2.exe", u"", u"", u"NetgearCUv2 MFC Application", u"WG511v2.exe", u"",
         u"NetgearCUv2 MFC Application", kUtilityTerminate, 0, 0},  // 16
        {u"lcu.exe", u"", u"Afx:400000:0:0:0:90703", u"Wireless Client Utility", u"lcu.exe", u"",
         u"Wireless Client Utility", kUtilityCloseWindow, 0, 0},                            // 17
        {u"", u"WUSB54GSCSVC", u"", u"", u"", u"WUSB54GSCSVC", u"", kUtilityNone, 500, 0},  // 18
        {u"RaUI.exe", u"", u"", u"PCI GW-US300MiniW Utility", u"RaUI.exe", u"",
         u"PCI GW-US300MiniW Utility", kUtilityTerminate, 0, 0},                        // 19
        {u"", u"WPC600NSvc", u"", u"", u"", u"WPC600NSvc", u"", kUtilityNone, 500, 0},  // 20
    }};
}

}  // namespace corvane

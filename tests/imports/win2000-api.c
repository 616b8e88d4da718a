/* The Windows API as the headers declare it for Windows 2000 SP4 with
   Internet Explorer 5.01. check-imports.sh compiles this with -aux-info
   and takes every declared function name as one the system may export. */
#define _WIN32_WINNT 0x0500
#define WINVER 0x0500
#define NTDDI_VERSION 0x05000400
#define _WIN32_IE 0x0501

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <oleauto.h>
#include <winver.h>
#include <setupapi.h>
#include <iphlpapi.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <winsvc.h>
#include <devguid.h>
#include <netcfgx.h>

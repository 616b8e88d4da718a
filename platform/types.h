#pragma once
// Types shared by both sides of the OS boundary. The portable core sees only these;
// platform/win32 converts them to and from the Windows types, platform/sim models them.

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define PLATFORM_API __stdcall
#else
#define PLATFORM_API
#endif

namespace platform {

using Handle = void*;    // a kernel object handle (mutex, file mapping, file, thread)
using Module = void*;    // a loaded module
using Font = void*;      // a GDI font
using ItemList = void*;  // a shell item identifier list
using Window = void*;    // a window of any program

constexpr uint32_t kErrorSuccess = 0;
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorPathNotFound = 3;
constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorInvalidParameter = 87;
constexpr uint32_t kErrorInsufficientBuffer = 122;
constexpr uint32_t kErrorAlreadyExists = 183;
constexpr uint32_t kErrorMoreData = 234;
constexpr uint32_t kErrorResourceTypeNotFound = 1813;
constexpr uint32_t kErrorCancelled = 1223;

constexpr uint32_t kInvalidFileAttributes = 0xFFFFFFFFu;
constexpr uint32_t kFileAttributeReadOnly = 0x01;
constexpr uint32_t kFileAttributeDirectory = 0x10;

constexpr uint32_t kVerPlatformWin32Windows = 1;
constexpr uint32_t kVerPlatformWin32Nt = 2;
constexpr uint8_t kVerNtWorkstation = 1;

constexpr int kCsidlDesktopDirectory = 0x10;
constexpr int kSwShowNormal = 1;
constexpr int kSwShow = 5;
constexpr int kMaxPath = 260;

// OSVERSIONINFOW (276 bytes) and OSVERSIONINFOEXW (284 bytes) share this layout;
// the caller's size field says which one the system fills.
struct OsVersionInfo {
    uint32_t dwOSVersionInfoSize;
    uint32_t dwMajorVersion;
    uint32_t dwMinorVersion;
    uint32_t dwBuildNumber;
    uint32_t dwPlatformId;
    char16_t szCSDVersion[128];
    uint16_t wServicePackMajor;
    uint16_t wServicePackMinor;
    uint16_t wSuiteMask;
    uint8_t wProductType;
    uint8_t wReserved;
};
constexpr uint32_t kOsVersionInfoSize = 276;
constexpr uint32_t kOsVersionInfoExSize = 284;
static_assert(sizeof(OsVersionInfo) == kOsVersionInfoExSize);

struct SystemTime {
    uint16_t wYear;
    uint16_t wMonth;
    uint16_t wDayOfWeek;
    uint16_t wDay;
    uint16_t wHour;
    uint16_t wMinute;
    uint16_t wSecond;
    uint16_t wMilliseconds;
};

// VS_FIXEDFILEINFO
struct FixedFileInfo {
    uint32_t dwSignature;
    uint32_t dwStrucVersion;
    uint32_t dwFileVersionMS;
    uint32_t dwFileVersionLS;
    uint32_t dwProductVersionMS;
    uint32_t dwProductVersionLS;
    uint32_t dwFileFlagsMask;
    uint32_t dwFileFlags;
    uint32_t dwFileOS;
    uint32_t dwFileType;
    uint32_t dwFileSubtype;
    uint32_t dwFileDateMS;
    uint32_t dwFileDateLS;
};
static_assert(sizeof(FixedFileInfo) == 52);

// GUID
struct Guid {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
static_assert(sizeof(Guid) == 16);

// Storage for a CRITICAL_SECTION (or the simulator's lock), placed by the owner.
struct CriticalSection {
    alignas(8) unsigned char opaque[64];
};

}  // namespace platform

#pragma once
// KERNEL32: the calls the core makes, at the height of the Windows API.

#include <cstddef>
#include <cstdint>

#include "platform/types.h"

namespace platform {

uint32_t GetLastError();
void SetLastError(uint32_t error);
bool CloseHandle(Handle handle);

Handle CreateMutexW(bool initialOwner, const char16_t* name);
Handle CreateMutexA(bool initialOwner, const char* name);
Handle OpenMutexA(const char* name);  // MUTEX_ALL_ACCESS, not inherited

// A paging-file-backed read/write mapping of `size` bytes (high part 0), default security.
Handle CreateFileMappingA(uint32_t size, const char* name);
// The whole mapping, FILE_MAP_ALL_ACCESS, offset 0.
void* MapViewOfFile(Handle mapping);
bool UnmapViewOfFile(void* view);

// MEMORY_BASIC_INFORMATION, in the Windows layout of the build's pointer size.
struct MemoryBasicInformation {
    void* BaseAddress;
    void* AllocationBase;
    uint32_t AllocationProtect;
    size_t RegionSize;
    uint32_t State;
    uint32_t Protect;
    uint32_t Type;
};
constexpr uint32_t kPageReadWrite = 0x04;
constexpr uint32_t kMemCommit = 0x1000;
constexpr uint32_t kMemMapped = 0x40000;
// The run of pages from `address` (rounded down to its page) that share one allocation, state
// and protection. Returns the bytes written to `info`, 0 on failure.
size_t VirtualQuery(const void* address, MemoryBasicInformation* info);

bool GetVersionExW(OsVersionInfo* info);

// OSVERSIONINFOA, the 8-bit structure (148 bytes).
struct OsVersionInfoA {
    uint32_t dwOSVersionInfoSize;
    uint32_t dwMajorVersion;
    uint32_t dwMinorVersion;
    uint32_t dwBuildNumber;
    uint32_t dwPlatformId;
    char szCSDVersion[128];
};
constexpr uint32_t kOsVersionInfoASize = 148;
static_assert(sizeof(OsVersionInfoA) == kOsVersionInfoASize);
bool GetVersionExA(OsVersionInfoA* info);

// The user's temporary folder, ending in a backslash: its length, or the size needed when it
// does not fit; 0 on failure.
uint32_t GetTempPathA(uint32_t size, char* buffer);
uint32_t GetModuleFileNameA(char* buffer, uint32_t size);  // this process's executable
uint32_t GetSystemDirectoryA(char* buffer, uint32_t size);

uint16_t GetSystemDefaultLangID();
// GetUserDefaultUILanguage, as found at run time in kernel32.dll (Windows 2000 and later).
using GetUserDefaultUILanguageFn = uint16_t(PLATFORM_API*)();

// Whether `byte` starts a double-byte character in the ANSI code page.
bool IsDBCSLeadByte(uint8_t byte);

uint32_t GetFileAttributesW(const char16_t* path);
uint32_t GetModuleFileNameW(char16_t* buffer, uint32_t size);  // this process's executable
uint32_t GetCurrentDirectoryW(uint32_t size, char16_t* buffer);
const char16_t* GetCommandLineW();

uint32_t GetPrivateProfileStringW(const char16_t* section, const char16_t* key,
                                  const char16_t* defaultValue, char16_t* buffer, uint32_t size,
                                  const char16_t* fileName);
uint32_t GetPrivateProfileIntW(const char16_t* section, const char16_t* key, int defaultValue,
                               const char16_t* fileName);

uint32_t GetTickCount();
// The C runtime's time(): the calendar time in seconds since 1970.
int64_t time();
void Sleep(uint32_t milliseconds);
void GetLocalTime(SystemTime* time);

void InitializeCriticalSection(CriticalSection* section);
void EnterCriticalSection(CriticalSection* section);
void LeaveCriticalSection(CriticalSection* section);
void DeleteCriticalSection(CriticalSection* section);

Module GetModuleHandleW(const char16_t* name);
void* GetProcAddress(Module module, const char* name);
// Give a full path: a bare name is looked for in the program's folder first.
Module LoadLibraryW(const char16_t* path);
Module LoadLibraryA(const char* path);
bool FreeLibrary(Module module);
// The length of the path written, or the size needed when it does not fit; 0 on failure.
uint32_t GetSystemDirectoryW(char16_t* buffer, uint32_t size);

constexpr uint32_t kCodePageAnsi = 0;  // CP_ACP
// WideCharToMultiByte without flags or default character: unmapped characters become the
// code page's default character. Returns the bytes written (or needed when outSize is 0).
int WideCharToMultiByte(uint32_t codePage, const char16_t* text, int length, char* out,
                        int outSize);
constexpr uint32_t kMbPrecomposed = 1;
// MultiByteToWideChar: the units written (or needed when outSize is 0); 0 with
// ERROR_INSUFFICIENT_BUFFER when they do not fit.
int MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* text, int length,
                        char16_t* out, int outSize);

// The debugger's sink: a windowed program has no standard output for its traces.
void OutputDebugStringA(const char* text);

// IsWow64Process, as found at run time in Kernel32.dll.
using IsWow64ProcessFn = int(PLATFORM_API*)(Handle process, int* wow64);
Handle GetCurrentProcess();

}  // namespace platform

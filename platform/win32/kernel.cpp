#include "platform/kernel.h"

#include <cstddef>
#include <ctime>
#include <new>

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

static_assert(sizeof(CRITICAL_SECTION) <= sizeof(CriticalSection::opaque));
static_assert(sizeof(OSVERSIONINFOEXW) == sizeof(OsVersionInfo));
static_assert(sizeof(OSVERSIONINFOA) == sizeof(OsVersionInfoA));
static_assert(sizeof(SYSTEMTIME) == sizeof(SystemTime));
static_assert(sizeof(MEMORY_BASIC_INFORMATION) == sizeof(MemoryBasicInformation));
static_assert(offsetof(MEMORY_BASIC_INFORMATION, RegionSize) ==
              offsetof(MemoryBasicInformation, RegionSize));
static_assert(offsetof(MEMORY_BASIC_INFORMATION, Type) == offsetof(MemoryBasicInformation, Type));

uint32_t GetLastError() {
    return ::GetLastError();
}
void SetLastError(uint32_t error) {
    ::SetLastError(error);
}
bool CloseHandle(Handle handle) {
    return ::CloseHandle(handle) != FALSE;
}

Handle CreateMutexW(bool initialOwner, const char16_t* name) {
    return ::CreateMutexW(nullptr, initialOwner, W(name));
}
Handle CreateMutexA(bool initialOwner, const char* name) {
    return ::CreateMutexA(nullptr, initialOwner, name);
}
Handle OpenMutexA(const char* name) {
    return ::OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name);
}

Handle CreateFileMappingA(uint32_t size, const char* name) {
    return ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name);
}
void* MapViewOfFile(Handle mapping) {
    return ::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
}
bool UnmapViewOfFile(void* view) {
    return ::UnmapViewOfFile(view) != FALSE;
}

size_t VirtualQuery(const void* address, MemoryBasicInformation* info) {
    return ::VirtualQuery(address, reinterpret_cast<MEMORY_BASIC_INFORMATION*>(info), sizeof *info);
}

bool GetVersionExW(OsVersionInfo* info) {
    return ::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(info)) != FALSE;
}

uint32_t GetFileAttributesW(const char16_t* path) {
    return ::GetFileAttributesW(W(path));
}
bool GetVersionExA(OsVersionInfoA* info) {
    return ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(info)) != FALSE;
}
uint32_t GetTempPathA(uint32_t size, char* buffer) {
    return ::GetTempPathA(size, buffer);
}
uint32_t GetModuleFileNameA(char* buffer, uint32_t size) {
    return ::GetModuleFileNameA(nullptr, buffer, size);
}
uint32_t GetSystemDirectoryA(char* buffer, uint32_t size) {
    return ::GetSystemDirectoryA(buffer, size);
}
uint16_t GetSystemDefaultLangID() {
    return ::GetSystemDefaultLangID();
}
bool IsDBCSLeadByte(uint8_t byte) {
    return ::IsDBCSLeadByte(byte) != FALSE;
}

uint32_t GetModuleFileNameW(char16_t* buffer, uint32_t size) {
    return ::GetModuleFileNameW(nullptr, W(buffer), size);
}
uint32_t GetCurrentDirectoryW(uint32_t size, char16_t* buffer) {
    return ::GetCurrentDirectoryW(size, W(buffer));
}
const char16_t* GetCommandLineW() {
    return reinterpret_cast<const char16_t*>(::GetCommandLineW());
}

uint32_t GetPrivateProfileStringW(const char16_t* section, const char16_t* key,
                                  const char16_t* defaultValue, char16_t* buffer, uint32_t size,
                                  const char16_t* fileName) {
    return ::GetPrivateProfileStringW(W(section), W(key), W(defaultValue), W(buffer), size,
                                      W(fileName));
}
uint32_t GetPrivateProfileIntW(const char16_t* section, const char16_t* key, int defaultValue,
                               const char16_t* fileName) {
    return ::GetPrivateProfileIntW(W(section), W(key), defaultValue, W(fileName));
}

uint32_t GetTickCount() {
    return ::GetTickCount();
}
int64_t time() {
    return static_cast<int64_t>(::time(nullptr));
}

void Sleep(uint32_t milliseconds) {
    ::Sleep(milliseconds);
}
void GetLocalTime(SystemTime* time) {
    ::GetLocalTime(reinterpret_cast<SYSTEMTIME*>(time));
}

static CRITICAL_SECTION* Native(CriticalSection* section) {
    return reinterpret_cast<CRITICAL_SECTION*>(section->opaque);
}
void InitializeCriticalSection(CriticalSection* section) {
    ::InitializeCriticalSection(new (section->opaque) CRITICAL_SECTION);
}
void EnterCriticalSection(CriticalSection* section) {
    ::EnterCriticalSection(Native(section));
}
void LeaveCriticalSection(CriticalSection* section) {
    ::LeaveCriticalSection(Native(section));
}
void DeleteCriticalSection(CriticalSection* section) {
    ::DeleteCriticalSection(Native(section));
}

Module GetModuleHandleW(const char16_t* name) {
    return ::GetModuleHandleW(W(name));
}
void* GetProcAddress(Module module, const char* name) {
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name));
}

Module LoadLibraryW(const char16_t* path) {
    return ::LoadLibraryW(W(path));
}
Module LoadLibraryA(const char* path) {
    return ::LoadLibraryA(path);
}

bool FreeLibrary(Module module) {
    return ::FreeLibrary(static_cast<HMODULE>(module)) != FALSE;
}

uint32_t GetSystemDirectoryW(char16_t* buffer, uint32_t size) {
    return ::GetSystemDirectoryW(W(buffer), size);
}

int WideCharToMultiByte(uint32_t codePage, const char16_t* text, int length, char* out,
                        int outSize) {
    return ::WideCharToMultiByte(codePage, 0, W(text), length, out, outSize, nullptr, nullptr);
}

int MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* text, int length,
                        char16_t* out, int outSize) {
    return ::MultiByteToWideChar(codePage, flags, text, length, W(out), outSize);
}

void OutputDebugStringA(const char* text) {
    ::OutputDebugStringA(text);
}

Handle GetCurrentProcess() {
    return ::GetCurrentProcess();
}

}  // namespace platform

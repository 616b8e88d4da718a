#include "platform/kernel.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "platform/sim/code_page.h"
#include "platform/sim/pc.h"
#include "platform/sim/protocol_device.h"
#include "platform/sim/system_libraries.h"
#include "platform/sim/wlan_api.h"

namespace platform {

namespace {

thread_local uint32_t lastError = 0;
constexpr size_t kPageSize = 4096;

std::u16string Text(const char16_t* text) {
    return text == nullptr ? u"" : text;
}

// Copies `text` into a caller's buffer of `size` characters the way the Windows string
// getters do: when it does not fit, the result is cut and the size is returned.
uint32_t CopyOut(const std::u16string& text, char16_t* buffer, uint32_t size) {
    if (size == 0) {
        return 0;
    }
    if (text.size() >= size) {
        std::copy_n(text.begin(), size - 1, buffer);
        buffer[size - 1] = 0;
        return size;
    }
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = 0;
    return static_cast<uint32_t>(text.size());
}

bool HeldByOther(const sim::Pc& pc) {
    const auto& heldUntil = pc.scenario().otherInstanceHoldsMutexUntil;
    return heldUntil.has_value() && pc.now() < *heldUntil;
}

Handle CreateNamedMutex(bool initialOwner, const std::string& name) {
    (void)initialOwner;
    sim::Pc& pc = sim::CurrentPc();
    bool heldByOther = HeldByOther(pc);
    // The elevated program's mutex is closed to this one's security context.
    if (heldByOther && pc.scenario().otherInstanceElevated) {
        lastError = kErrorAccessDenied;
        return nullptr;
    }
    bool exists = heldByOther || pc.IsNamedObjectOpen(name);
    Handle handle = pc.AddObject(sim::NamedMutex{name});
    lastError = exists ? kErrorAlreadyExists : kErrorSuccess;
    return handle;
}

}  // namespace

uint32_t GetLastError() {
    return lastError;
}
void SetLastError(uint32_t error) {
    lastError = error;
}

bool CloseHandle(Handle handle) {
    sim::Pc& pc = sim::CurrentPc();
    sim::KernelObject* object = pc.FindObject(handle);
    if (auto* driver = object == nullptr ? nullptr : std::get_if<sim::ProtocolOpen>(object)) {
        sim::CloseProtocolDevice(pc, *driver);
    }
    if (!pc.RemoveObject(handle)) {
        lastError = 6;  // ERROR_INVALID_HANDLE
        return false;
    }
    return true;
}

Handle CreateMutexW(bool initialOwner, const char16_t* name) {
    return CreateNamedMutex(initialOwner, sim::ToUtf8(Text(name)));
}

Handle CreateMutexA(bool initialOwner, const char* name) {
    return CreateNamedMutex(initialOwner, name);
}

Handle OpenMutexA(const char* name) {
    sim::Pc& pc = sim::CurrentPc();
    if (HeldByOther(pc) && pc.scenario().otherInstanceElevated) {
        lastError = kErrorAccessDenied;
        return nullptr;
    }
    if (HeldByOther(pc) || pc.IsNamedObjectOpen(name)) {
        return pc.AddObject(sim::NamedMutex{name});
    }
    lastError = kErrorFileNotFound;
    return nullptr;
}

Handle CreateFileMappingA(uint32_t size, const char* name) {
    sim::Pc& pc = sim::CurrentPc();
    std::string key = name == nullptr ? "" : name;
    auto memory = key.empty() ? nullptr : pc.FindMapping(key);
    lastError = memory ? kErrorAlreadyExists : kErrorSuccess;
    if (!memory) {
        // Windows backs a section with whole pages: a view reaches to the end of its last one.
        size_t pages = (size + kPageSize - 1) / kPageSize;
        memory = std::make_shared<std::vector<uint8_t>>(pages * kPageSize);
    }
    return pc.AddObject(sim::NamedMapping{key, memory});
}

void* MapViewOfFile(Handle mapping) {
    auto* object = sim::CurrentPc().FindObject(mapping);
    auto* named = object == nullptr ? nullptr : std::get_if<sim::NamedMapping>(object);
    if (named == nullptr) {
        lastError = 6;  // ERROR_INVALID_HANDLE
        return nullptr;
    }
    return named->memory->data();
}

bool UnmapViewOfFile(void* view) {
    return view != nullptr;
}

// Only the views of mappings are modelled: any other address fails.
size_t VirtualQuery(const void* address, MemoryBasicInformation* info) {
    auto memory = sim::CurrentPc().FindMappingAt(address);
    if (!memory) {
        lastError = kErrorInvalidParameter;
        return 0;
    }
    size_t page = (static_cast<const uint8_t*>(address) - memory->data()) / kPageSize * kPageSize;
    *info = {.BaseAddress = memory->data() + page,
             .AllocationBase = memory->data(),
             .AllocationProtect = kPageReadWrite,
             .RegionSize = memory->size() - page,
             .State = kMemCommit,
             .Protect = kPageReadWrite,
             .Type = kMemMapped};
    return sizeof *info;
}

namespace {

// The fields the wide and the 8-bit structure share; the service pack text cut to its field.
template <typename Info, typename Text>
void FillVersion(Info* info, const sim::Scenario& s, const Text& servicePack) {
    info->dwMajorVersion = s.majorVersion;
    info->dwMinorVersion = s.minorVersion;
    info->dwBuildNumber = s.buildNumber;
    info->dwPlatformId = s.platformId;
    std::fill(std::begin(info->szCSDVersion), std::end(info->szCSDVersion), 0);
    std::copy_n(servicePack.begin(), std::min<size_t>(servicePack.size(), 127), info->szCSDVersion);
}

}  // namespace

bool GetVersionExW(OsVersionInfo* info) {
    const sim::Scenario& s = sim::CurrentPc().scenario();
    uint32_t size = info->dwOSVersionInfoSize;
    if (s.versionQueryFails || (size != kOsVersionInfoSize && size != kOsVersionInfoExSize)) {
        lastError = kErrorInsufficientBuffer;
        return false;
    }
    FillVersion(info, s, s.servicePack);
    if (size == kOsVersionInfoExSize) {
        info->wProductType = s.productType;
    }
    return true;
}

bool GetVersionExA(OsVersionInfoA* info) {
    const sim::Scenario& s = sim::CurrentPc().scenario();
    if (s.versionQueryFails || info->dwOSVersionInfoSize != kOsVersionInfoASize) {
        lastError = kErrorInsufficientBuffer;
        return false;
    }
    FillVersion(info, s, sim::FromUtf16(s.servicePack, s.ansiCodePage));
    return true;
}

namespace {

std::string Ansi(const std::u16string& text) {
    return sim::FromUtf16(text, sim::CurrentPc().scenario().ansiCodePage);
}

// The 8-bit string getters: the length copied, or the size needed when it does not fit.
uint32_t CopyOutAnsi(const std::u16string& text, char* buffer, uint32_t size) {
    std::string bytes = Ansi(text);
    if (bytes.size() >= size) {
        return static_cast<uint32_t>(bytes.size() + 1);
    }
    std::copy(bytes.begin(), bytes.end(), buffer);
    buffer[bytes.size()] = 0;
    return static_cast<uint32_t>(bytes.size());
}

}  // namespace

uint32_t GetTempPathA(uint32_t size, char* buffer) {
    const std::u16string& path = sim::CurrentPc().scenario().tempPath;
    if (path.empty()) {
        lastError = kErrorPathNotFound;
        return 0;
    }
    return CopyOutAnsi(path, buffer, size);
}

uint32_t GetModuleFileNameA(char* buffer, uint32_t size) {
    const sim::Scenario& scenario = sim::CurrentPc().scenario();
    std::string path = Ansi(scenario.modulePath);
    if (size == 0) {
        lastError = kErrorInsufficientBuffer;
        return 0;
    }
    // Before Vista a path that does not fit is cut to the buffer without a terminator.
    if (path.size() >= size) {
        std::copy_n(path.begin(), scenario.majorVersion < 6 ? size : size - 1, buffer);
        if (scenario.majorVersion >= 6) {
            buffer[size - 1] = 0;
        }
        lastError = scenario.majorVersion < 6 ? kErrorSuccess : kErrorInsufficientBuffer;
        return size;
    }
    std::copy(path.begin(), path.end(), buffer);
    buffer[path.size()] = 0;
    lastError = kErrorSuccess;
    return static_cast<uint32_t>(path.size());
}

uint32_t GetSystemDirectoryA(char* buffer, uint32_t size) {
    return CopyOutAnsi(sim::CurrentPc().scenario().systemDirectory, buffer, size);
}

uint16_t GetSystemDefaultLangID() {
    return sim::CurrentPc().scenario().systemLanguage;
}

bool IsDBCSLeadByte(uint8_t byte) {
    return sim::IsLeadByte(byte, sim::CurrentPc().scenario().ansiCodePage);
}

uint32_t GetFileAttributesW(const char16_t* path) {
    sim::Pc& pc = sim::CurrentPc();
    std::u16string text = Text(path);
    if (text.size() >= static_cast<size_t>(kMaxPath)) {
        lastError = 206;  // ERROR_FILENAME_EXCED_RANGE
        return kInvalidFileAttributes;
    }
    if (text.empty() || text.find_first_of(u"\"<>|*?") != std::u16string::npos) {
        lastError = 123;  // ERROR_INVALID_NAME
        return kInvalidFileAttributes;
    }
    if (const sim::File* file = pc.FindFile(text)) {
        return (file->directory ? kFileAttributeDirectory : 0x80u) |
               (file->readOnly ? kFileAttributeReadOnly : 0u);
    }
    std::u16string folded = sim::Pc::FoldPath(text);
    size_t slash = folded.rfind(u'\\');
    bool parentExists = slash != std::u16string::npos &&
                        pc.FindFile(folded.substr(0, slash == 2 ? 3 : slash)) != nullptr;
    lastError = parentExists ? kErrorFileNotFound : kErrorPathNotFound;
    return kInvalidFileAttributes;
}

uint32_t GetModuleFileNameW(char16_t* buffer, uint32_t size) {
    const sim::Scenario& scenario = sim::CurrentPc().scenario();
    // Before Vista a path that does not fit is cut to the buffer without a terminator.
    if (scenario.majorVersion < 6 && scenario.modulePath.size() >= size) {
        std::copy_n(scenario.modulePath.begin(), size, buffer);
        lastError = kErrorSuccess;
        return size;
    }
    uint32_t copied = CopyOut(scenario.modulePath, buffer, size);
    lastError = copied == size ? kErrorInsufficientBuffer : kErrorSuccess;
    return copied;
}

uint32_t GetCurrentDirectoryW(uint32_t size, char16_t* buffer) {
    const std::u16string& directory = sim::CurrentPc().scenario().currentDirectory;
    if (directory.size() >= size) {
        return static_cast<uint32_t>(directory.size() + 1);
    }
    return CopyOut(directory, buffer, size);
}

const char16_t* GetCommandLineW() {
    return sim::CurrentPc().scenario().commandLine.c_str();
}

uint32_t GetTickCount() {
    sim::Pc& pc = sim::CurrentPc();
    return static_cast<uint32_t>(pc.scenario().startTickCount + pc.now());
}

// The PC's local time taken as the calendar time: the simulated PC keeps no time zone.
int64_t time() {
    using namespace std::chrono;
    sim::Pc& pc = sim::CurrentPc();
    const SystemTime& start = pc.scenario().startTime;
    sys_days day = year{start.wYear} / month{start.wMonth} / std::chrono::day{start.wDay};
    sys_seconds at = day + hours{start.wHour} + minutes{start.wMinute} + seconds{start.wSecond} +
                     duration_cast<seconds>(milliseconds{pc.now()});
    return at.time_since_epoch().count();
}

void Sleep(uint32_t milliseconds) {
    sim::CurrentPc().scheduler().Sleep(milliseconds);
}

void GetLocalTime(SystemTime* time) {
    *time = sim::CurrentPc().LocalTime();
}

static_assert(sizeof(std::recursive_mutex) <= sizeof(CriticalSection::opaque));

static std::recursive_mutex* Lock(CriticalSection* section) {
    return std::launder(reinterpret_cast<std::recursive_mutex*>(section->opaque));
}

// The sections this thread holds, innermost last, so that the PC can tell the order in which
// the program nests its locks.
static thread_local std::vector<const CriticalSection*> heldSections;

}  // namespace platform

std::vector<const void*> sim::HeldCriticalSections() {
    return {platform::heldSections.begin(), platform::heldSections.end()};
}

namespace platform {

void InitializeCriticalSection(CriticalSection* section) {
    new (section->opaque) std::recursive_mutex;
}
void EnterCriticalSection(CriticalSection* section) {
    Lock(section)->lock();
    if (std::find(heldSections.begin(), heldSections.end(), section) == heldSections.end()) {
        for (const CriticalSection* held : heldSections) {
            sim::CurrentPc().NoteLockOrder(held, section);
        }
    }
    heldSections.push_back(section);
}
void LeaveCriticalSection(CriticalSection* section) {
    auto last = std::find(heldSections.rbegin(), heldSections.rend(), section);
    if (last != heldSections.rend()) {
        heldSections.erase(std::next(last).base());
    }
    Lock(section)->unlock();
}
void DeleteCriticalSection(CriticalSection* section) {
    Lock(section)->~recursive_mutex();
}

namespace {

int PLATFORM_API SimIsWow64Process(Handle, int* wow64) {
    *wow64 = sim::CurrentPc().scenario().wow64 ? 1 : 0;
    return 1;
}

uint16_t PLATFORM_API SimGetUserDefaultUILanguage() {
    return sim::CurrentPc().scenario().uiLanguage.value_or(0);
}

const char16_t kKernel32[] = u"KERNEL32.DLL";

}  // namespace

Module GetModuleHandleW(const char16_t* name) {
    std::u16string folded = sim::Pc::FoldPath(Text(name));
    if (folded == kKernel32) {
        return const_cast<char16_t*>(kKernel32);
    }
    lastError = 126;  // ERROR_MOD_NOT_FOUND
    return nullptr;
}

void* GetProcAddress(Module module, const char* name) {
    if (module == kKernel32 && std::strcmp(name, "IsWow64Process") == 0 &&
        sim::CurrentPc().scenario().hasIsWow64Process) {
        return reinterpret_cast<void*>(&SimIsWow64Process);
    }
    if (module == kKernel32 && std::strcmp(name, "GetUserDefaultUILanguage") == 0 &&
        sim::CurrentPc().scenario().uiLanguage.has_value()) {
        return reinterpret_cast<void*>(&SimGetUserDefaultUILanguage);
    }
    if (void* entry = name == nullptr ? nullptr : sim::SystemLibraryEntry(module, name)) {
        return entry;
    }
    if (module == sim::WlanApiModule() && name != nullptr) {
        if (void* entry = sim::WlanEntryPoint(name)) {
            return entry;
        }
    }
    lastError = 127;  // ERROR_PROC_NOT_FOUND
    return nullptr;
}

namespace {

// Any other library that exists loads, and has nothing the program looks up.
char otherLibrary;

bool HasWlanApi(const sim::Scenario& scenario) {
    return scenario.wlanApi.value_or(scenario.majorVersion >= 6);
}

}  // namespace

Module LoadLibraryW(const char16_t* path) {
    sim::Pc& pc = sim::CurrentPc();
    const sim::Scenario& scenario = pc.scenario();
    std::u16string file = Text(path);
    if (sim::Pc::FoldPath(file) == kKernel32) {
        pc.libraryLoads().push_back(scenario.systemDirectory + u"\\kernel32.dll");
        ++pc.librariesHeld();
        return const_cast<char16_t*>(kKernel32);
    }
    if (Module system = sim::LoadSystemLibrary(file)) {
        return system;
    }
    // A bare name is found in the program's folder before the system directory.
    if (file.find(u'\\') == std::u16string::npos) {
        std::u16string own = scenario.modulePath.substr(0, scenario.modulePath.rfind(u'\\') + 1);
        file = pc.FindFile(own + file) != nullptr ? own + file
                                                  : scenario.systemDirectory + u"\\" + file;
    }
    std::u16string folded = sim::Pc::FoldPath(file);
    Module module = nullptr;
    if (folded == sim::Pc::FoldPath(scenario.systemDirectory + u"\\Wlanapi.dll")) {
        module = HasWlanApi(scenario) ? sim::WlanApiModule() : nullptr;
    } else if (const sim::File* found = pc.FindFile(file); found != nullptr && !found->directory) {
        module = &otherLibrary;
    }
    if (module == nullptr) {
        lastError = 126;  // ERROR_MOD_NOT_FOUND
        return nullptr;
    }
    pc.libraryLoads().push_back(file);
    ++pc.librariesHeld();
    return module;
}

Module LoadLibraryA(const char* path) {
    return LoadLibraryW(
        sim::ToUtf16(path == nullptr ? "" : path, sim::CurrentPc().scenario().ansiCodePage)
            .c_str());
}

bool FreeLibrary(Module module) {
    sim::Pc& pc = sim::CurrentPc();
    bool known = module == sim::WlanApiModule() || module == &otherLibrary || module == kKernel32 ||
                 sim::IsSystemLibrary(module);
    if (!known || pc.librariesHeld() == 0) {
        lastError = 6;  // ERROR_INVALID_HANDLE
        return false;
    }
    --pc.librariesHeld();
    return true;
}

uint32_t GetSystemDirectoryW(char16_t* buffer, uint32_t size) {
    const std::u16string& directory = sim::CurrentPc().scenario().systemDirectory;
    if (directory.size() >= size) {
        return static_cast<uint32_t>(directory.size() + 1);
    }
    return CopyOut(directory, buffer, size);
}

int WideCharToMultiByte(uint32_t codePage, const char16_t* text, int length, char* out,
                        int outSize) {
    uint32_t page = codePage == kCodePageAnsi ? sim::CurrentPc().scenario().ansiCodePage : codePage;
    std::u16string input = length < 0 ? std::u16string(text) : std::u16string(text, length);
    if (length < 0) {
        input.push_back(0);
    }
    std::string converted = sim::FromUtf16(input, page);
    if (outSize == 0) {
        return static_cast<int>(converted.size());
    }
    if (converted.size() > static_cast<size_t>(outSize)) {
        lastError = kErrorInsufficientBuffer;
        return 0;
    }
    std::memcpy(out, converted.data(), converted.size());
    return static_cast<int>(converted.size());
}

int MultiByteToWideChar(uint32_t codePage, uint32_t, const char* text, int length, char16_t* out,
                        int outSize) {
    uint32_t page = codePage == kCodePageAnsi ? sim::CurrentPc().scenario().ansiCodePage : codePage;
    std::string input = length < 0 ? std::string(text) : std::string(text, length);
    if (length < 0) {
        input.push_back('\0');
    }
    std::u16string converted = sim::ToUtf16(input, page);
    if (outSize == 0) {
        return static_cast<int>(converted.size());
    }
    if (converted.size() > static_cast<size_t>(outSize)) {
        lastError = kErrorInsufficientBuffer;
        return 0;
    }
    std::copy(converted.begin(), converted.end(), out);
    return static_cast<int>(converted.size());
}

void OutputDebugStringA(const char* text) {
    sim::CurrentPc().debugOutput().push_back(text == nullptr ? "" : text);
}

Handle GetCurrentProcess() {
    return reinterpret_cast<Handle>(static_cast<intptr_t>(-1));
}

}  // namespace platform

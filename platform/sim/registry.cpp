#include "platform/registry.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "platform/sim/code_page.h"
#include "platform/sim/pc.h"

namespace platform {

namespace {

constexpr uint32_t kErrorInvalidHandle = 6;
constexpr uint32_t kErrorNoMoreItems = 259;
constexpr char16_t kLocalMachine[] = u"HKEY_LOCAL_MACHINE";
constexpr char16_t kCurrentUser[] = u"HKEY_CURRENT_USER";

sim::Registry& TheRegistry() {
    return sim::CurrentPc().network().registry();
}

// The folded path a handle stands for; empty for a handle that is not open.
std::u16string PathOf(RegistryKey key) {
    if (key == LocalMachine()) {
        return sim::Registry::Fold(kLocalMachine);
    }
    if (key == CurrentUser()) {
        return sim::Registry::Fold(kCurrentUser);
    }
    const sim::Registry::OpenKey* open = TheRegistry().Lookup(reinterpret_cast<uintptr_t>(key));
    return open == nullptr ? u"" : open->path;
}

bool Writes(uint32_t access) {
    return (access & (kKeyWrite & ~kKeyRead)) != 0;
}

uint32_t OpenOrCreate(RegistryKey parent, const char16_t* subKey, uint32_t access,
                      RegistryKey* result, bool create) {
    *result = nullptr;
    std::u16string base = PathOf(parent);
    if (base.empty()) {
        return kErrorInvalidHandle;
    }
    std::u16string path =
        sim::Registry::Fold(subKey == nullptr || *subKey == u'\0' ? base : base + u"\\" + subKey);
    sim::Registry& registry = TheRegistry();
    sim::Registry::Key* key = registry.Find(path);
    if (key == nullptr && !create) {
        return kErrorFileNotFound;
    }
    const sim::Registry::Key* above = registry.Find(base);
    if ((key != nullptr && key->readOnly && Writes(access)) ||
        (key == nullptr && above != nullptr && above->readOnly)) {
        return kErrorAccessDenied;
    }
    if (key == nullptr) {
        registry.Create(path);
    }
    uintptr_t id = sim::CurrentPc().NextId();
    registry.Open(id, {path, Writes(access)});
    *result = reinterpret_cast<RegistryKey>(id);
    return kErrorSuccess;
}

}  // namespace

uint32_t RegOpenKeyExW(RegistryKey parent, const char16_t* subKey, uint32_t access,
                       RegistryKey* result) {
    return OpenOrCreate(parent, subKey, access, result, false);
}

uint32_t RegCreateKeyExW(RegistryKey parent, const char16_t* subKey, uint32_t access,
                         RegistryKey* result) {
    return OpenOrCreate(parent, subKey, access, result, true);
}

uint32_t RegQueryValueExW(RegistryKey key, const char16_t* name, uint32_t* type, void* data,
                          uint32_t* size) {
    std::u16string path = PathOf(key);
    if (path.empty()) {
        return kErrorInvalidHandle;
    }
    const sim::RegistryValue* value = TheRegistry().Value(path, name == nullptr ? u"" : name);
    if (value == nullptr) {
        return kErrorFileNotFound;
    }
    if (type != nullptr) {
        *type = value->type;
    }
    uint32_t room = *size;
    *size = static_cast<uint32_t>(value->bytes.size());
    if (data == nullptr) {
        return kErrorSuccess;
    }
    if (room < value->bytes.size()) {
        // Windows leaves the buffer's contents undefined; here it holds what fitted.
        std::memcpy(data, value->bytes.data(), room);
        return kErrorMoreData;
    }
    std::memcpy(data, value->bytes.data(), value->bytes.size());
    return kErrorSuccess;
}

uint32_t RegEnumValueW(RegistryKey key, uint32_t index, char16_t* name, uint32_t* nameSize,
                       uint32_t* type, void* data, uint32_t* dataSize) {
    std::u16string path = PathOf(key);
    if (path.empty()) {
        return kErrorInvalidHandle;
    }
    const sim::Registry::Key* found = TheRegistry().Find(path);
    if (found == nullptr || index >= found->values.size()) {
        return kErrorNoMoreItems;
    }
    const auto& [valueName, value] = std::next(found->values.begin(), index)->second;
    if (valueName.size() >= *nameSize) {
        return kErrorMoreData;
    }
    std::copy(valueName.begin(), valueName.end(), name);
    name[valueName.size()] = u'\0';
    *nameSize = static_cast<uint32_t>(valueName.size());
    if (type != nullptr) {
        *type = value.type;
    }
    if (dataSize == nullptr) {
        return kErrorSuccess;
    }
    uint32_t room = *dataSize;
    *dataSize = static_cast<uint32_t>(value.bytes.size());
    if (data != nullptr && room < value.bytes.size()) {
        return kErrorMoreData;
    }
    if (data != nullptr) {
        std::memcpy(data, value.bytes.data(), value.bytes.size());
    }
    return kErrorSuccess;
}

uint32_t RegSetValueExW(RegistryKey key, const char16_t* name, uint32_t type, const void* data,
                        uint32_t size) {
    sim::Registry& registry = TheRegistry();
    const sim::Registry::OpenKey* open = registry.Lookup(reinterpret_cast<uintptr_t>(key));
    if (open == nullptr) {
        return kErrorInvalidHandle;
    }
    sim::Registry::Key* target = registry.Find(open->path);
    if (target == nullptr || !open->write || target->readOnly) {
        return kErrorAccessDenied;
    }
    std::u16string valueName = name == nullptr ? u"" : name;
    target->values[sim::Registry::Fold(valueName)] = {
        valueName, {type, std::string(static_cast<const char*>(data), size)}};
    return kErrorSuccess;
}

namespace {

std::u16string FromAnsi(const char* text) {
    return sim::ToUtf16(text == nullptr ? "" : text, sim::CurrentPc().scenario().ansiCodePage);
}

}  // namespace

uint32_t RegOpenKeyExA(RegistryKey parent, const char* subKey, uint32_t access,
                       RegistryKey* result) {
    return RegOpenKeyExW(parent, subKey == nullptr ? nullptr : FromAnsi(subKey).c_str(), access,
                         result);
}

uint32_t RegCreateKeyExA(RegistryKey parent, const char* subKey, uint32_t access,
                         RegistryKey* result) {
    return RegCreateKeyExW(parent, subKey == nullptr ? nullptr : FromAnsi(subKey).c_str(), access,
                           result);
}

// The system keeps text values in UTF-16 whichever form wrote them.
uint32_t RegSetValueExA(RegistryKey key, const char* name, uint32_t type, const void* data,
                        uint32_t size) {
    std::u16string wideName = FromAnsi(name);
    if (type != kRegSz && type != kRegExpandSz && type != kRegMultiSz) {
        return RegSetValueExW(key, wideName.c_str(), type, data, size);
    }
    std::u16string text = sim::ToUtf16(std::string(static_cast<const char*>(data), size),
                                       sim::CurrentPc().scenario().ansiCodePage);
    return RegSetValueExW(key, wideName.c_str(), type, text.data(),
                          static_cast<uint32_t>(text.size() * sizeof(char16_t)));
}

uint32_t RegDeleteKeyW(RegistryKey parent, const char16_t* subKey) {
    std::u16string base = PathOf(parent);
    if (base.empty()) {
        return kErrorInvalidHandle;
    }
    return TheRegistry().Erase(base + u"\\" + subKey) ? kErrorSuccess : kErrorFileNotFound;
}

uint32_t RegFlushKey(RegistryKey key) {
    if (PathOf(key).empty()) {
        return kErrorInvalidHandle;
    }
    ++TheRegistry().flushes();
    return kErrorSuccess;
}

uint32_t RegCloseKey(RegistryKey key) {
    return TheRegistry().Close(reinterpret_cast<uintptr_t>(key)) ? kErrorSuccess
                                                                 : kErrorInvalidHandle;
}

}  // namespace platform

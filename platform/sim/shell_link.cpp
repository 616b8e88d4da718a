#include "platform/shell_link.h"

#include <algorithm>
#include <memory>
#include <string>

#include "platform/sim/pc.h"

namespace platform {

namespace {

constexpr HResult kNotInitialized = static_cast<HResult>(0x800401F0);  // CO_E_NOTINITIALIZED
constexpr HResult kFileNotFound = static_cast<HResult>(0x80070002);
constexpr HResult kInvalidArgument = static_cast<HResult>(0x80070057);

std::shared_ptr<sim::ShellLinkObject> Object(const void* pointer) {
    auto& links = sim::CurrentPc().shellLinks();
    auto found = links.find(reinterpret_cast<uintptr_t>(pointer));
    return found == links.end() ? nullptr : found->second;
}

void* Hand(std::shared_ptr<sim::ShellLinkObject> object) {
    sim::Pc& pc = sim::CurrentPc();
    uintptr_t id = pc.NextId();
    pc.shellLinks().emplace(id, std::move(object));
    return reinterpret_cast<void*>(id);
}

}  // namespace

HResult CoCreateShellLink(ShellLink* link) {
    if (sim::CurrentPc().network().comInitialized() <= 0) {
        return kNotInitialized;
    }
    link->Reset(Hand(std::make_shared<sim::ShellLinkObject>()));
    return kSOk;
}

HResult IShellLinkW_QueryPersistFile(const ShellLink& link, PersistFile* file) {
    std::shared_ptr<sim::ShellLinkObject> object = Object(link.get());
    if (object == nullptr) {
        return kInvalidArgument;
    }
    file->Reset(Hand(std::move(object)));
    return kSOk;
}

// A file that is no shortcut, or none at all, does not load.
HResult IPersistFile_Load(const PersistFile& file, const char16_t* path, uint32_t) {
    std::shared_ptr<sim::ShellLinkObject> object = Object(file.get());
    if (object == nullptr || path == nullptr) {
        return kInvalidArgument;
    }
    const sim::File* found = sim::CurrentPc().FindFile(path);
    if (found == nullptr || !found->shortcut) {
        return found == nullptr ? kFileNotFound : kEFail;
    }
    object->loaded = true;
    object->shortcut = *found->shortcut;
    return kSOk;
}

HResult IShellLinkW_GetPath(const ShellLink& link, char16_t* path, int size, uint32_t) {
    std::shared_ptr<sim::ShellLinkObject> object = Object(link.get());
    if (object == nullptr || path == nullptr || size <= 0) {
        return kInvalidArgument;
    }
    const std::u16string& target = object->loaded ? object->shortcut.target : u"";
    size_t length = std::min(target.size(), static_cast<size_t>(size - 1));
    std::copy_n(target.begin(), length, path);
    path[length] = u'\0';
    return target.empty() ? kSFalse : kSOk;
}

}  // namespace platform

#include "platform/file.h"

#include <string>
#include <variant>

#include "platform/kernel.h"
#include "platform/sim/pc.h"

namespace platform {

namespace {

// Windows takes "C:\a\\b" for "C:\a\b": runs of backslashes after the start are one.
std::u16string CollapseBackslashes(const std::u16string& path) {
    std::u16string normal;
    for (char16_t c : path) {
        if (c == u'\\' && normal.size() > 1 && normal.back() == u'\\') {
            continue;
        }
        normal.push_back(c);
    }
    return normal;
}

// ERROR_SUCCESS when a file may be created at `path`, else the error CreateFileW reports.
uint32_t CreateError(const sim::Pc& pc, const std::u16string& path) {
    if (path.size() >= static_cast<size_t>(kMaxPath)) {
        return 206;  // ERROR_FILENAME_EXCED_RANGE
    }
    size_t slash = path.rfind(u'\\');
    if (path.empty() || path.find_first_of(u"\"<>|*?") != std::u16string::npos ||
        slash == path.size() - 1) {
        return 123;  // ERROR_INVALID_NAME
    }
    const sim::File* folder = slash == std::u16string::npos
                                  ? nullptr
                                  : pc.FindFile(path.substr(0, slash == 2 ? 3 : slash));
    if (folder == nullptr || !folder->directory) {
        return kErrorPathNotFound;
    }
    // A read-only folder stands for one the user may not write into.
    const sim::File* existing = pc.FindFile(path);
    if (folder->readOnly || (existing != nullptr && (existing->directory || existing->readOnly))) {
        return kErrorAccessDenied;
    }
    return kErrorSuccess;
}

}  // namespace

Handle CreateFileW(const char16_t* path) {
    sim::Pc& pc = sim::CurrentPc();
    std::u16string normal = CollapseBackslashes(path == nullptr ? u"" : path);
    if (uint32_t error = CreateError(pc, normal); error != kErrorSuccess) {
        SetLastError(error);
        return nullptr;
    }
    bool existed = pc.FindFile(normal) != nullptr;
    pc.PutFile(normal, sim::File{});
    SetLastError(existed ? kErrorAlreadyExists : kErrorSuccess);
    return pc.AddObject(sim::OpenFile{normal});
}

bool WriteFile(Handle file, const void* data, uint32_t size, uint32_t* written) {
    sim::Pc& pc = sim::CurrentPc();
    *written = 0;
    sim::KernelObject* object = pc.FindObject(file);
    const auto* open = object == nullptr ? nullptr : std::get_if<sim::OpenFile>(object);
    if (open == nullptr) {
        SetLastError(6);  // ERROR_INVALID_HANDLE
        return false;
    }
    const auto& room = pc.scenario().diskFullAfterBytes;
    if (room.has_value() && pc.bytesWritten() + size > *room) {
        SetLastError(112);  // ERROR_DISK_FULL
        return false;
    }
    pc.FindFile(open->path)->bytes.append(static_cast<const char*>(data), size);
    pc.bytesWritten() += size;
    *written = size;
    return true;
}

}  // namespace platform

#include "platform/file.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <variant>

#include "platform/kernel.h"
#include "platform/security.h"
#include "platform/sim/code_page.h"
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

// Whether a folded name matches a folded pattern of '*' and '?'.
bool Matches(std::u16string_view name, std::u16string_view pattern) {
    if (pattern.empty()) {
        return name.empty();
    }
    if (pattern.front() == u'*') {
        for (size_t skip = 0; skip <= name.size(); ++skip) {
            if (Matches(name.substr(skip), pattern.substr(1))) {
                return true;
            }
        }
        return false;
    }
    return !name.empty() && (pattern.front() == u'?' || pattern.front() == name.front()) &&
           Matches(name.substr(1), pattern.substr(1));
}

void Fill(const sim::File& file, const std::u16string& name, FindData* data) {
    data->dwFileAttributes = file.directory  ? kFileAttributeDirectory
                             : file.readOnly ? kFileAttributeReadOnly
                                             : 0x80;  // FILE_ATTRIBUTE_NORMAL
    size_t length = std::min(name.size(), static_cast<size_t>(kMaxPath - 1));
    std::copy_n(name.begin(), length, data->cFileName);
    data->cFileName[length] = u'\0';
}

}  // namespace

FindHandle FindFirstFileW(const char16_t* pattern, FindData* data) {
    sim::Pc& pc = sim::CurrentPc();
    std::u16string folded = sim::Pc::FoldPath(pattern == nullptr ? u"" : pattern);
    size_t slash = folded.rfind(u'\\');
    if (slash == std::u16string::npos ||
        pc.FindFile(folded.substr(0, slash == 2 ? 3 : slash)) == nullptr) {
        SetLastError(kErrorPathNotFound);
        return nullptr;
    }
    std::u16string folder = folded.substr(0, slash + 1);
    std::u16string mask = folded.substr(slash + 1);
    sim::FileSearch search;
    search.folder = folder;
    for (const auto& [path, file] : pc.files()) {
        if (path.size() > folder.size() && path.starts_with(folder) &&
            path.find(u'\\', folder.size()) == std::u16string::npos &&
            Matches(std::u16string_view(path).substr(folder.size()), mask)) {
            std::u16string spelled = pc.Spelling(path);
            search.names.push_back(spelled.substr(spelled.rfind(u'\\') + 1));
        }
    }
    if (search.names.empty()) {
        SetLastError(kErrorFileNotFound);
        return nullptr;
    }
    search.next = 1;
    Fill(*pc.FindFile(folder + search.names.front()), search.names.front(), data);
    return pc.AddObject(std::move(search));
}

bool FindNextFileW(FindHandle find, FindData* data) {
    sim::Pc& pc = sim::CurrentPc();
    sim::KernelObject* object = pc.FindObject(find);
    auto* search = object == nullptr ? nullptr : std::get_if<sim::FileSearch>(object);
    if (search == nullptr) {
        SetLastError(6);
        return false;
    }
    if (search->next >= search->names.size()) {
        SetLastError(18);  // ERROR_NO_MORE_FILES
        return false;
    }
    const std::u16string& name = search->names[search->next++];
    Fill(*pc.FindFile(search->folder + name), name, data);
    return true;
}

bool FindClose(FindHandle find) {
    sim::KernelObject* object = sim::CurrentPc().FindObject(find);
    if (object == nullptr || !std::holds_alternative<sim::FileSearch>(*object)) {
        SetLastError(6);
        return false;
    }
    return sim::CurrentPc().RemoveObject(find);
}

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

Handle CreateFileA(const char* path) {
    std::u16string wide =
        sim::ToUtf16(path == nullptr ? "" : path, sim::CurrentPc().scenario().ansiCodePage);
    return CreateFileW(wide.c_str());
}

namespace {

// What a new folder inherits of the one above it: the entries meant for folders, and for
// files as inherit-only ones, all marked as inherited.
void Inherit(const sim::File& parent, sim::File& folder) {
    if (!parent.dacl) {
        return;
    }
    folder.dacl.emplace();
    for (const sim::Ace& ace : *parent.dacl) {
        sim::Ace inherited = ace;
        if ((ace.flags & kContainerInheritAce) != 0) {
            inherited.flags = static_cast<uint8_t>(ace.flags & ~kInheritOnlyAce);
        } else if ((ace.flags & kObjectInheritAce) != 0) {
            inherited.flags = static_cast<uint8_t>(ace.flags | kInheritOnlyAce);
        } else {
            continue;
        }
        inherited.flags |= kInheritedAce;
        folder.dacl->push_back(inherited);
    }
    folder.securityControl = kSeDaclAutoInherited;
}

}  // namespace

bool CreateDirectoryA(const char* path) {
    sim::Pc& pc = sim::CurrentPc();
    std::u16string normal =
        CollapseBackslashes(sim::ToUtf16(path == nullptr ? "" : path, pc.scenario().ansiCodePage));
    while (normal.size() > 3 && normal.back() == u'\\') {
        normal.pop_back();
    }
    // A folder's path leaves room for a file name of 8.3 characters.
    if (normal.size() >= static_cast<size_t>(kMaxPath - 12)) {
        SetLastError(206);  // ERROR_FILENAME_EXCED_RANGE
        return false;
    }
    size_t slash = normal.rfind(u'\\');
    if (normal.empty() || normal.find_first_of(u"\"<>|*?") != std::u16string::npos) {
        SetLastError(123);  // ERROR_INVALID_NAME
        return false;
    }
    if (pc.FindFile(normal) != nullptr) {
        SetLastError(kErrorAlreadyExists);
        return false;
    }
    const sim::File* parent = slash == std::u16string::npos
                                  ? nullptr
                                  : pc.FindFile(normal.substr(0, slash == 2 ? 3 : slash));
    if (parent == nullptr || !parent->directory) {
        SetLastError(kErrorPathNotFound);
        return false;
    }
    if (parent->readOnly) {
        SetLastError(kErrorAccessDenied);
        return false;
    }
    sim::File folder{.directory = true};
    Inherit(*parent, folder);
    pc.PutFile(normal, std::move(folder));
    SetLastError(kErrorSuccess);
    return true;
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

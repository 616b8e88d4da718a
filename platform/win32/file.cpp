#include "platform/file.h"

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

namespace {

void Copy(const WIN32_FIND_DATAW& from, FindData* to) {
    to->dwFileAttributes = from.dwFileAttributes;
    win32::CopyText(from.cFileName, to->cFileName);
}

}  // namespace

Handle CreateFileW(const char16_t* path) {
    HANDLE file = ::CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

Handle CreateFileA(const char* path) {
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

bool CreateDirectoryA(const char* path) {
    return ::CreateDirectoryA(path, nullptr) != FALSE;
}

bool WriteFile(Handle file, const void* data, uint32_t size, uint32_t* written) {
    DWORD count = 0;
    BOOL ok = ::WriteFile(file, data, size, &count, nullptr);
    *written = count;
    return ok != FALSE;
}

FindHandle FindFirstFileW(const char16_t* pattern, FindData* data) {
    WIN32_FIND_DATAW found{};
    HANDLE find = ::FindFirstFileW(W(pattern), &found);
    if (find == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    Copy(found, data);
    return find;
}

bool FindNextFileW(FindHandle find, FindData* data) {
    WIN32_FIND_DATAW found{};
    if (::FindNextFileW(find, &found) == FALSE) {
        return false;
    }
    Copy(found, data);
    return true;
}

bool FindClose(FindHandle find) {
    return ::FindClose(find) != FALSE;
}

}  // namespace platform

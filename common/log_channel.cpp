#include "common/log_channel.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "common/log_ring.h"
#include "common/wide_format.h"
#include "platform/kernel.h"

namespace corvane {

namespace {
constexpr size_t kLineBuffer = 256;  // 255 characters and a terminator

// Windows hands back an existing mapping whatever size its creator gave it: in a ring another
// program made smaller than ours, a line would run past the end of the view.
bool HoldsWholeRing(const void* view) {
    platform::MemoryBasicInformation region{};
    return platform::VirtualQuery(view, &region) != 0 && region.RegionSize >= log_ring::kSize;
}
}  // namespace

LogChannel::LogChannel() {
    std::snprintf(name_, sizeof name_, "%s", log_ring::kName);
    Open();
}

LogChannel::~LogChannel() {
    Close();
}

bool LogChannel::Open() {
    Close();
    mapping_ = platform::CreateFileMappingA(log_ring::kSize, name_);
    if (mapping_ == nullptr) {
        return false;
    }
    bool existed = platform::GetLastError() == platform::kErrorAlreadyExists;
    auto* view = static_cast<uint8_t*>(platform::MapViewOfFile(mapping_));
    if (view != nullptr && !HoldsWholeRing(view)) {
        platform::UnmapViewOfFile(view);
        view = nullptr;
    }
    if (view == nullptr) {
        platform::CloseHandle(mapping_);
        mapping_ = nullptr;
        return false;
    }
    platform::InitializeCriticalSection(&lock_);
    if (!existed) {
        // A ring of our own: nobody reads it, so it stays switched off.
        std::memset(view, 0, log_ring::kSize);
        view[log_ring::kDatePrefixOffset] = 1;
        view[log_ring::kTimePrefixOffset] = 1;
        view[log_ring::kEnabledOffset] = 0;
    }
    view_ = view;
    return true;
}

void LogChannel::Close() {
    if (view_ == nullptr) {
        return;
    }
    platform::UnmapViewOfFile(view_);
    view_ = nullptr;
    platform::CloseHandle(mapping_);
    mapping_ = nullptr;
    platform::DeleteCriticalSection(&lock_);
}

void LogChannel::Store(const char* text) {
    if (view_ == nullptr) {
        return;
    }
    platform::EnterCriticalSection(&lock_);
    uint32_t counter = log_ring::ReadCounter(view_);
    char* slot = reinterpret_cast<char*>(log_ring::Slot(view_, counter));
    size_t room = log_ring::kSlotSize;
    bool date = view_[log_ring::kDatePrefixOffset] != 0;
    bool time = view_[log_ring::kTimePrefixOffset] != 0;
    platform::SystemTime now{};
    if (date || time) {
        platform::GetLocalTime(&now);
    }
    char prefix[32];
    if (date) {
        int length = std::snprintf(prefix, sizeof prefix, "%04d/%02d/%02d ", now.wYear, now.wMonth,
                                   now.wDay);
        std::memcpy(slot, prefix, length);
        slot += length;
        room -= length;
    }
    if (time) {
        int length = std::snprintf(prefix, sizeof prefix, "%02d:%02d:%02d:%03d ", now.wHour,
                                   now.wMinute, now.wSecond, now.wMilliseconds);
        std::memcpy(slot, prefix, length);
        slot += length;
        room -= length;
    }
    size_t length = strnlen(text, room);
    std::memcpy(slot, text, length);
    if (length < room) {
        slot[length] = '\0';
    }
    log_ring::WriteCounter(view_, counter + 1);
    platform::LeaveCriticalSection(&lock_);
}

void LogChannel::Printf(const char* format, ...) {
    if (!IsEnabled()) {
        return;
    }
    char line[kLineBuffer];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    Store(line);
}

void LogChannel::PrintfW(const char16_t* format, ...) {
    if (!IsEnabled()) {
        return;
    }
    char16_t wide[kLineBuffer];
    va_list args;
    va_start(args, format);
    int length = FormatWide(wide, kLineBuffer, format, args);
    va_end(args);
    char line[kLineBuffer * 3];  // a UTF-16 unit takes at most three bytes
    int converted =
        platform::WideCharToMultiByte(platform::kCodePageAnsi, wide, length, line, sizeof line - 1);
    line[converted] = '\0';
    Store(line);
}

void LogChannel::PrintText(const char* text) {
    if (!IsEnabled()) {
        return;
    }
    char line[kLineBuffer];
    std::snprintf(line, sizeof line, "%s", text);
    Store(line);
}

LogChannel g_logChannel;

}  // namespace corvane

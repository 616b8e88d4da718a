#pragma once
// The diagnostic trace: a named shared-memory ring that an outside viewer creates, switches
// on and reads. With no viewer switched on, a log call costs one pointer test and one byte
// read.

#include <cstdint>

#include "platform/types.h"

namespace corvane {

class LogChannel {
  public:
    LogChannel();  // opens the channel: the global one exists before any other code logs
    ~LogChannel();
    LogChannel(const LogChannel&) = delete;
    LogChannel& operator=(const LogChannel&) = delete;

    // False, and the channel off, when the ring cannot be had whole: not made, not mapped, or
    // made smaller than ours by another program.
    bool Open();
    void Close();

    bool IsEnabled() const { return view_ != nullptr && view_[0] != 0; }

    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // A wide format in the style of wsprintfW: %s takes a UTF-16 string.
    void PrintfW(const char16_t* format, ...);
    // A finished text: cut to a line and stored, with no formatting.
    void PrintText(const char* text);
    // Stores one line with the prefixes the header asks for.
    void Store(const char* text);

  private:
    char name_[260];
    platform::Handle mapping_ = nullptr;
    uint8_t* view_ = nullptr;
    platform::CriticalSection lock_;
};

// The process's channel, opened by its static initialiser before the program's own code runs.
extern LogChannel g_logChannel;

}  // namespace corvane

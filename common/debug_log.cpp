#include "common/debug_log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "common/log_channel.h"

namespace corvane {

void DebugLog(const char* format, ...) {
    if (!g_logChannel.IsEnabled()) {
        return;
    }
    char text[1024] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    size_t length = std::strlen(text);
    // The ring's lines end in a single line feed.
    if (length >= 2 && text[length - 2] == '\r' && text[length - 1] == '\n') {
        text[length - 2] = '\n';
        text[length - 1] = '\0';
    }
    g_logChannel.PrintText(text);
}

}  // namespace corvane

#pragma once
// VORTAU's front end to the trace: texts begin "VORTAU " and end in "\r\n".

namespace corvane {

void DebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace corvane

#pragma once
// The files VORTA carries as resources and writes into the private folder.

#include <array>
#include <string>

namespace corvane {

struct PayloadFile {
    int resourceId;
    const char* fileName;
    const char* logLine;  // before it is written
};

// In the order they are written, VORTAU last; `languageFile` is the chosen Language.ini.
std::array<PayloadFile, 4> PayloadFiles(int languageFile);

// Whether the resource is there with bytes in it; logs why not.
bool HasPayload(int resourceId);
// Writes the resource's bytes to `path`, creating or truncating the file. False, logged, when
// it cannot be opened or written; what was written stays.
bool WritePayloadFile(int resourceId, const std::string& path);

}  // namespace corvane

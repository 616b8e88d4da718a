#pragma once
// The launcher's languages: by the primary language of the user's language id, the trace text,
// the language file it unpacks and its two messages.

#include <cstdint>

namespace corvane {

struct LanguageRow {
    const char* logText;
    int languageFile;        // payload resource
    int unsupportedMessage;  // string table entries
    int rollupMessage;
};

const LanguageRow& LanguageRowFor(uint16_t languageId);

}  // namespace corvane

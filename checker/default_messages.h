#pragma once
// The built-in English texts, used when no language file can be read.

#include <utility>

namespace corvane {

struct DefaultMessage {
    int id;
    const char16_t* text;
};

extern const DefaultMessage kDefaultMessages[27];

}  // namespace corvane

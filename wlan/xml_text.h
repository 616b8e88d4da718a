#pragma once
// XML's five predefined entities in the texts of WLAN profile documents.

#include <string>
#include <string_view>

namespace corvane {

// "&amp;", "&lt;", "&gt;", "&quot;" and "&apos;" back to their characters; anything else as
// it stands.
std::u16string DecodeXmlEntities(std::u16string_view text);

}  // namespace corvane

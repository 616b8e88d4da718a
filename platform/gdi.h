#pragma once
// GDI32: the dialog fonts.

#include <cstdint>

#include "platform/types.h"

namespace platform {

Font CreateFontW(int height, int width, int escapement, int orientation, int weight,
                 uint32_t italic, uint32_t underline, uint32_t strikeOut, uint32_t charSet,
                 uint32_t outPrecision, uint32_t clipPrecision, uint32_t quality,
                 uint32_t pitchAndFamily, const char16_t* face);
bool DeleteObject(Font font);

}  // namespace platform

#include "platform/gdi.h"

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

Font CreateFontW(int height, int width, int escapement, int orientation, int weight,
                 uint32_t italic, uint32_t underline, uint32_t strikeOut, uint32_t charSet,
                 uint32_t outPrecision, uint32_t clipPrecision, uint32_t quality,
                 uint32_t pitchAndFamily, const char16_t* face) {
    return ::CreateFontW(height, width, escapement, orientation, weight, italic, underline,
                         strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily,
                         W(face));
}

bool DeleteObject(Font font) {
    return ::DeleteObject(static_cast<HGDIOBJ>(font)) != FALSE;
}

}  // namespace platform

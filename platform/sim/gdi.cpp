#include "platform/gdi.h"

#include "platform/sim/pc.h"

namespace platform {

Font CreateFontW(int height, int, int, int, int weight, uint32_t, uint32_t, uint32_t,
                 uint32_t charSet, uint32_t, uint32_t, uint32_t, uint32_t pitchAndFamily,
                 const char16_t* face) {
    sim::Pc& pc = sim::CurrentPc();
    uintptr_t id = pc.NextId();
    pc.fonts()[id] = sim::FontRecord{height, weight, charSet, pitchAndFamily, face};
    return reinterpret_cast<Font>(id);
}

bool DeleteObject(Font font) {
    return sim::CurrentPc().fonts().erase(reinterpret_cast<uintptr_t>(font)) == 1;
}

}  // namespace platform

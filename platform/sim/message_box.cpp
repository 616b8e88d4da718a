#include "platform/message_box.h"

#include <algorithm>

#include "platform/sim/pc.h"

namespace platform {

// The user reads the box and presses OK.
int MessageBoxW(Window, const char16_t* text, const char16_t* caption, uint32_t type) {
    sim::CurrentPc().messageBoxes().push_back(
        {text == nullptr ? u"" : text, caption == nullptr ? u"" : caption, type});
    return static_cast<int>(kIdOkButton);
}

int LoadStringW(int id, char16_t* buffer, int size) {
    const auto& strings = sim::CurrentPc().scenario().strings;
    auto found = strings.find(id);
    if (found == strings.end() || size <= 0) {
        return 0;
    }
    int length = std::min(static_cast<int>(found->second.size()), size - 1);
    std::copy_n(found->second.begin(), length, buffer);
    buffer[length] = u'\0';
    return length;
}

}  // namespace platform

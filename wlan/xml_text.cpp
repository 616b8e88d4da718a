#include "wlan/xml_text.h"

namespace corvane {

namespace {

struct Entity {
    std::u16string_view name;
    char16_t character;
};

constexpr Entity kEntities[] = {
    {u"&amp;", u'&'}, {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&quot;", u'"'}, {u"&apos;", u'\''},
};

}  // namespace

std::u16string DecodeXmlEntities(std::u16string_view text) {
    std::u16string decoded;
    for (size_t at = 0; at < text.size();) {
        bool replaced = false;
        for (const Entity& entity : kEntities) {
            if (text.substr(at).starts_with(entity.name)) {
                decoded += entity.character;
                at += entity.name.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            decoded += text[at++];
        }
    }
    return decoded;
}

}  // namespace corvane

#include "wlan/projector_manager.h"

namespace corvane {

namespace {

// A network name from the air may hold markup characters: they become entities, so that the
// name can neither break the document nor add to it.
std::u16string Escaped(const std::u16string& text) {
    std::u16string escaped;
    for (char16_t c : text) {
        switch (c) {
            case u'&':
                escaped += u"&amp;";
                break;
            case u'<':
                escaped += u"&lt;";
                break;
            case u'>':
                escaped += u"&gt;";
                break;
            case u'"':
                escaped += u"&quot;";
                break;
            case u'\'':
                escaped += u"&apos;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace

int CProjectorManager::CreateAdHocProfileXml(const std::u16string& ssid, std::u16string& out) {
    const std::u16string name = Escaped(ssid);
    out.clear();
    out += u"<?xml version=\"1.0\"?>\r\n";
    out += u"<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">\r\n";
    out += u"\t<name>" + name + u"</name>\r\n";
    out += u"\t<SSIDConfig>\r\n\t\t<SSID>\r\n\t\t\t<name>" + name +
           u"</name>\r\n\t\t</SSID>\r\n\t</SSIDConfig>\r\n";
    out += u"\t<connectionType>IBSS</connectionType>\r\n";
    out += u"\t<connectionMode>manual</connectionMode>\r\n";
    out += u"\t<MSM>\r\n\t\t<security>\r\n\t\t\t<authEncryption>\r\n"
           u"\t\t\t\t<authentication>open</authentication>\r\n"
           u"\t\t\t\t<encryption>none</encryption>\r\n"
           u"\t\t\t</authEncryption>\r\n\t\t</security>\r\n\t</MSM>\r\n";
    out += u"</WLANProfile>";
    return 1;
}

}  // namespace corvane

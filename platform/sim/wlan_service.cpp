#include "platform/sim/wlan_service.h"

#include "platform/sim/code_page.h"

namespace sim {

namespace {

// The text of the first <tag> at or after `from`, and where it ends; empty when missing.
std::u16string Element(const std::u16string& xml, const std::u16string& tag, size_t from = 0,
                       size_t* end = nullptr) {
    std::u16string open = u"<" + tag + u">";
    std::u16string close = u"</" + tag + u">";
    size_t start = xml.find(open, from);
    if (start == std::u16string::npos) {
        return u"";
    }
    start += open.size();
    size_t stop = xml.find(close, start);
    if (stop == std::u16string::npos) {
        return u"";
    }
    if (end != nullptr) {
        *end = stop;
    }
    return xml.substr(start, stop - start);
}

}  // namespace

WlanProfile ReadProfile(const std::u16string& xml) {
    WlanProfile profile;
    profile.xml = xml;
    profile.name = Element(xml, u"name");
    size_t ssidConfig = xml.find(u"<SSIDConfig>");
    if (ssidConfig != std::u16string::npos) {
        profile.ssid = ToUtf8(Element(xml, u"name", ssidConfig));
    }
    profile.independent = Element(xml, u"connectionType") == u"IBSS";
    profile.autoConnect = Element(xml, u"connectionMode") == u"auto";
    return profile;
}

std::u16string MakeProfileXml(const std::u16string& name, const std::string& ssid,
                              bool independent, bool autoConnect, bool secured) {
    std::u16string xml =
        u"<?xml version=\"1.0\"?>\r\n"
        u"<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">\r\n"
        u"\t<name>" + name + u"</name>\r\n"
        u"\t<SSIDConfig>\r\n\t\t<SSID>\r\n\t\t\t<name>" + FromUtf8(ssid) +
        u"</name>\r\n\t\t</SSID>\r\n\t</SSIDConfig>\r\n"
        u"\t<connectionType>" + (independent ? u"IBSS" : u"ESS") + u"</connectionType>\r\n"
        u"\t<connectionMode>" + (autoConnect ? u"auto" : u"manual") + u"</connectionMode>\r\n"
        u"\t<MSM>\r\n\t\t<security>\r\n\t\t\t<authEncryption>\r\n"
        u"\t\t\t\t<authentication>" + (secured ? u"WPA2PSK" : u"open") +
        u"</authentication>\r\n"
        u"\t\t\t\t<encryption>" + (secured ? u"AES" : u"none") + u"</encryption>\r\n"
        u"\t\t\t</authEncryption>\r\n\t\t</security>\r\n\t</MSM>\r\n"
        u"</WLANProfile>";
    return xml;
}

WlanService::WlanService(const NetworkConfig& network) {
    for (const AdapterConfig& adapter : network.adapters) {
        if (!adapter.radio.has_value()) {
            continue;
        }
        std::vector<WlanProfile>& kept = profiles_[adapter.name];
        for (const std::u16string& xml : adapter.radio->profiles) {
            kept.push_back(ReadProfile(xml));
            if (connectedProfiles_[adapter.name].empty() && !adapter.radio->ssid.empty() &&
                kept.back().ssid == adapter.radio->ssid) {
                connectedProfiles_[adapter.name] = kept.back().name;
            }
        }
    }
}

}  // namespace sim

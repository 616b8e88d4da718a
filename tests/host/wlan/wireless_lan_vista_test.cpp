// The native back end on a simulated Vista PC: loading Wlanapi.dll, interface names, the
// network cache, the three ways to connect, profiles, and the client handles it opens.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/sim/pc.h"
#include "platform/sim/wlan_service.h"
#include "tests/host/wlan/radio_pc.h"
#include "wlan/wireless_lan_vista.h"

namespace corvane {
namespace {

using testing::kWirelessName;
using testing::Network;

constexpr char kBare[] = "ABCDEF01-2345-6789-ABCD-EF0123456789";

std::u16string Profile(const std::u16string& name, const std::string& ssid, bool ibss = false,
                       bool autoConnect = true) {
    return sim::MakeProfileXml(name, ssid, ibss, autoConnect, false);
}

// Vista with the WLAN service running; the adapter is on HomeAP by its profile.
sim::Scenario VistaPc(sim::RadioConfig radio = {}) {
    if (radio.networks.empty()) {
        sim::RadioNetwork home = Network("HomeAP", -40, 1);
        home.privacy = 1;
        sim::RadioNetwork projector = Network("PJ-Quintrel", -60, 2);
        projector.infrastructureMode = 0;
        radio.ssid = "HomeAP";
        radio.networks = {home, Network("Cafe", -70, 3), projector, Network("Cafe", -50, 4)};
        radio.profiles = {Profile(u"HomeAP", "HomeAP")};
    }
    sim::Scenario pc = testing::RadioPc(std::move(radio));
    pc.majorVersion = 6;
    pc.minorVersion = 0;
    pc.buildNumber = 6000;
    pc.services.push_back({.name = "wlansvc", .displayName = "WLAN AutoConfig", .running = true});
    return pc;
}

class VistaTest : public ::testing::Test {
  protected:
    sim::Pc& Install(sim::Scenario scenario = VistaPc()) {
        sim::Pc& pc = sim::InstallPc(std::move(scenario));
        wlan_ = std::make_unique<CWirelessLANVista>();
        return pc;
    }
    // Nothing of the service's stays with the program.
    void ExpectNothingHeld() {
        EXPECT_TRUE(sim::CurrentPc().wlan().clients().empty());
        EXPECT_TRUE(sim::CurrentPc().wlan().allocations().empty());
    }
    std::vector<std::string>& Calls() { return sim::CurrentPc().wlan().calls(); }
    sim::RadioSettings Radio() {
        sim::Pc& pc = sim::CurrentPc();
        return pc.network().FindRadio(kWirelessName)->Settings(pc.now());
    }
    std::unique_ptr<CWirelessLANVista> wlan_;
};

TEST_F(VistaTest, LoadsWlanApiFromTheSystemDirectoryEvenWithOnePlantedBesideTheProgram) {
    sim::Scenario scenario = VistaPc();
    std::u16string own = scenario.modulePath.substr(0, scenario.modulePath.rfind(u'\\') + 1);
    scenario.files[own + u"Wlanapi.dll"] = sim::File{.bytes = "MZ planted"};
    sim::Pc& pc = Install(scenario);
    ASSERT_EQ(wlan_->LoadWlanApi(), 1);
    EXPECT_EQ(wlan_->LoadWlanApi(), 1);
    EXPECT_EQ(pc.libraryLoads(),
              std::vector<std::u16string>{u"C:\\WINDOWS\\system32\\Wlanapi.dll"});
    EXPECT_EQ(pc.librariesHeld(), 1);
    wlan_.reset();
    EXPECT_EQ(pc.librariesHeld(), 0);
}

TEST_F(VistaTest, WithoutTheLibraryOrOneOfItsEntryPointsNothingWorks) {
    sim::Scenario xp = VistaPc();
    xp.majorVersion = 5;
    xp.minorVersion = 1;
    sim::Scenario lacking = VistaPc();
    lacking.wlanApiMissing = {"WlanSetInterface"};
    for (const auto& [what, scenario] : std::vector<std::pair<const char*, sim::Scenario>>{
             {"Windows XP", xp}, {"an entry point missing", lacking}}) {
        SCOPED_TRACE(what);
        sim::Pc& pc = Install(scenario);
        EXPECT_EQ(wlan_->LoadWlanApi(), 0);
        EXPECT_EQ(pc.librariesHeld(), 0);
        platform::WlanAvailableNetwork network{};
        char16_t xml[CWirelessLANVista::kProfileXmlUnits];
        int connected = 7;
        EXPECT_EQ(wlan_->RequestScan(kWirelessName), 0);
        EXPECT_EQ(wlan_->GetAvailableNetwork(kWirelessName, -1, nullptr, nullptr), 0);
        EXPECT_EQ(wlan_->ConnectNetwork(kWirelessName, &network), 0);
        EXPECT_EQ(wlan_->GetConnectedProfile(kWirelessName, &connected, xml), 0);
        EXPECT_EQ(wlan_->SetProfile(kWirelessName, u"<name>x</name>", 0), 0);
        EXPECT_EQ(wlan_->DeleteProfile(kWirelessName, u"HomeAP"), 0);
        EXPECT_EQ(wlan_->Disconnect(kWirelessName), 0);
        EXPECT_EQ(connected, 7);
        EXPECT_TRUE(Calls().empty());
    }
}

TEST_F(VistaTest, InterfaceNamesWithAndWithoutBracesMeanTheSameInterface) {
    Install();
    ASSERT_EQ(wlan_->LoadWlanApi(), 1);
    const std::string tooLong = "{" + std::string(70, 'A') + "}";
    struct Case {
        std::string name;
        int result;
        size_t calls;
    };
    for (const Case& c : {Case{kWirelessName, 1, 1}, Case{kBare, 1, 1},
                          Case{"{abcdef01-2345-6789-abcd-ef0123456789}", 1, 1},
                          Case{"{00000000-0000-0000-0000-000000000000}", 0, 0},
                          Case{"not a GUID", 0, 0}, Case{tooLong, 0, 0}}) {
        SCOPED_TRACE(c.name);
        Calls().clear();
        EXPECT_EQ(wlan_->RequestScan(c.name.c_str()), c.result);
        EXPECT_EQ(Calls().size(), c.calls);
        ExpectNothingHeld();
    }
    EXPECT_EQ(wlan_->RequestScan(nullptr), 0);
}

TEST_F(VistaTest, TheCacheHoldsTheListOnceRefreshedAndRefusesIndicesPastIt) {
    Install();
    ASSERT_EQ(wlan_->LoadWlanApi(), 1);
    int count = 0;
    ASSERT_EQ(wlan_->GetAvailableNetwork(kWirelessName, -1, nullptr, &count), 1);
    ASSERT_EQ(count, 3);
    ASSERT_EQ(wlan_->CacheSize(), 3);
    platform::WlanAvailableNetwork network{};
    count = 0;
    ASSERT_EQ(wlan_->GetAvailableNetwork(kWirelessName, 0, &network, &count), 1);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(std::u16string(network.strProfileName), u"HomeAP");
    EXPECT_EQ(network.dwFlags, 0x3u);
    EXPECT_EQ(network.wlanSignalQuality, 100u);
    ASSERT_EQ(wlan_->GetAvailableNetwork(kWirelessName, 1, &network, nullptr), 1);
    // Two access points of one network: one entry with the stronger signal.
    EXPECT_EQ(std::string(reinterpret_cast<char*>(network.dot11Ssid.ucSSID),
                          network.dot11Ssid.uSSIDLength),
              "Cafe");
    EXPECT_EQ(network.uNumberOfBssids, 2u);
    EXPECT_EQ(network.wlanSignalQuality, 100u);
    ASSERT_EQ(wlan_->GetAvailableNetwork(kWirelessName, 2, &network, nullptr), 1);
    EXPECT_EQ(network.dot11BssType, platform::kDot11BssTypeIndependent);
    EXPECT_EQ(network.wlanSignalQuality, 80u);
    EXPECT_EQ(wlan_->GetAvailableNetwork(kWirelessName, 3, &network, nullptr), 0);
    EXPECT_EQ(wlan_->GetAvailableNetwork(kWirelessName, -2, &network, nullptr), 0);
    EXPECT_EQ(wlan_->GetAvailableNetwork(kWirelessName, 0, nullptr, nullptr), 0);
    ExpectNothingHeld();
}

TEST_F(VistaTest, ConnectNetworkPicksTheModeFromTheProfileAndTheSecurity) {
    struct Case {
        const char* what;
        std::u16string profile;
        uint32_t bssType;
        int32_t secured;
        std::string call;
        sim::RadioSettings joined;
    };
    const std::string adapter = std::string("WlanConnect ") + kWirelessName;
    const sim::RadioSettings home{"HomeAP", 1, 0, 1};
    const sim::RadioSettings projector{"PJ-Quintrel", 0, 0, 1};
    for (const Case& c : {
             Case{"by its profile", u"HomeAP", 1, 1, adapter + " profile HomeAP", home},
             Case{"open ad hoc", u"", 2, 0, adapter + " mode 3 ssid PJ-Quintrel", projector},
             Case{"secured ad hoc", u"", 2, 1, adapter + " mode 2 ssid PJ-Quintrel", projector},
             Case{"any kind", u"", 3, 0, "", home},
         }) {
        SCOPED_TRACE(c.what);
        Install();
        ASSERT_EQ(wlan_->LoadWlanApi(), 1);
        platform::WlanAvailableNetwork network{};
        std::copy(c.profile.begin(), c.profile.end(), network.strProfileName);
        std::string ssid = c.profile.empty() ? "PJ-Quintrel" : "HomeAP";
        network.dot11Ssid.uSSIDLength = static_cast<uint32_t>(ssid.size());
        std::copy(ssid.begin(), ssid.end(), network.dot11Ssid.ucSSID);
        network.dot11BssType = c.bssType;
        network.bSecurityEnabled = c.secured;
        EXPECT_EQ(wlan_->ConnectNetwork(kWirelessName, &network), 1);
        EXPECT_EQ(Calls(),
                  c.call.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.call});
        EXPECT_EQ(Radio(), c.joined);
        ExpectNothingHeld();
    }
}

TEST_F(VistaTest, ConnectedProfileIsTheConnectedNetworksAndEmptyWhenThereIsNone) {
    Install();
    ASSERT_EQ(wlan_->LoadWlanApi(), 1);
    std::vector<char16_t> xml(CWirelessLANVista::kProfileXmlUnits, u'#');
    int connected = 7;
    ASSERT_EQ(wlan_->GetConnectedProfile(kWirelessName, &connected, xml.data()), 1);
    EXPECT_EQ(connected, 1);
    EXPECT_EQ(std::u16string(xml.data()), Profile(u"HomeAP", "HomeAP"));
    ASSERT_EQ(wlan_->Disconnect(kWirelessName), 1);
    std::fill(xml.begin(), xml.end(), u'#');
    ASSERT_EQ(wlan_->GetConnectedProfile(kWirelessName, &connected, xml.data()), 1);
    EXPECT_EQ(connected, 0);
    EXPECT_TRUE(std::all_of(xml.begin(), xml.end(), [](char16_t c) { return c == 0; }));
    ExpectNothingHeld();
}

TEST_F(VistaTest, AProfileTooLongForTheBufferIsCutAndEnded) {
    std::u16string huge = Profile(u"Big", "Big") + std::u16string(20000, u' ');
    Install(VistaPc({.ssid = "Big", .networks = {Network("Big", -40)}, .profiles = {huge}}));
    ASSERT_EQ(wlan_->LoadWlanApi(), 1);
    std::vector<char16_t> xml(CWirelessLANVista::kProfileXmlUnits, u'#');
    int connected = 0;
    ASSERT_EQ(wlan_->GetConnectedProfile(kWirelessName, &connected, xml.data()), 1);
    EXPECT_EQ(std::u16string(xml.data()), huge.substr(0, CWirelessLANVista::kProfileXmlUnits - 1));
    ExpectNothingHeld();
}

TEST_F(VistaTest, SetProfileStoresOrConnectsByTheFirstNameAndItsEntities) {
    sim::Pc& pc = Install(VistaPc({.ssid = "",
                                   .networks = {Network("Tom & Jerry", -40)},
                                   .profiles = {Profile(u"Tom & Jerry", "Tom & Jerry")}}));
    ASSERT_EQ(wlan_->LoadWlanApi(), 1);
    const std::u16string adHoc = Profile(u"TAVIRSSID_12345678", "TAVIRSSID_12345678", true, false);
    ASSERT_EQ(wlan_->SetProfile(kWirelessName, adHoc.c_str(), 1), 1);
    EXPECT_EQ(pc.wlan().profiles(kWirelessName).back().name, u"TAVIRSSID_12345678");
    // Stored again over itself.
    ASSERT_EQ(wlan_->SetProfile(kWirelessName, adHoc.c_str(), 1), 1);
    EXPECT_EQ(pc.wlan().profiles(kWirelessName).size(), 2u);

    const std::string connect = std::string("WlanConnect ") + kWirelessName + " profile ";
    struct Case {
        const char* what;
        std::u16string xml;
        int result;
        std::string call;
    };
    for (const Case& c : {
             Case{"a saved profile", u"<x><name>Tom &amp; Jerry</name><name>other</name>", 1,
                  connect + "Tom & Jerry"},
             Case{"no end of the name", u"<name>Tom", 0, ""},
             Case{"no name at all", u"<WLANProfile/>", 0, ""},
             // The end of the name must stand within 135 characters of its start.
             Case{"a name of 129 characters", u"<name>" + std::u16string(129, u'n') + u"</name>", 0,
                  ""},
             // Asked for; the service knows no such profile.
             Case{"a name of 128 characters", u"<name>" + std::u16string(128, u'n') + u"</name>", 0,
                  connect + std::string(128, 'n')},
         }) {
        SCOPED_TRACE(c.what);
        Calls().clear();
        EXPECT_EQ(wlan_->SetProfile(kWirelessName, c.xml.c_str(), 0), c.result);
        EXPECT_EQ(Calls(),
                  c.call.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.call});
    }
    ExpectNothingHeld();
}

TEST_F(VistaTest, DeletingTheConnectedNetworksProfileDisconnectsIt) {
    sim::Pc& pc = Install();
    ASSERT_EQ(wlan_->LoadWlanApi(), 1);
    EXPECT_EQ(wlan_->DeleteProfile(kWirelessName, u"Nobody"), 0);
    EXPECT_EQ(Radio().ssid, "HomeAP");
    EXPECT_EQ(wlan_->DeleteProfile(kWirelessName, u"HomeAP"), 1);
    EXPECT_TRUE(pc.wlan().profiles(kWirelessName).empty());
    EXPECT_EQ(Radio().ssid, "");
    ExpectNothingHeld();
}

TEST_F(VistaTest, WithTheServiceStoppedEveryCallFailsAndNoHandleStaysOpen) {
    sim::Scenario stopped = VistaPc();
    stopped.services.back().running = false;
    Install(stopped);
    ASSERT_EQ(wlan_->LoadWlanApi(), 1);
    char16_t xml[CWirelessLANVista::kProfileXmlUnits];
    int connected = 7;
    platform::WlanAvailableNetwork network{};
    network.dot11BssType = 1;
    EXPECT_EQ(wlan_->RequestScan(kWirelessName), 0);
    EXPECT_EQ(wlan_->GetAvailableNetwork(kWirelessName, -1, nullptr, nullptr), 0);
    EXPECT_EQ(wlan_->ConnectNetwork(kWirelessName, &network), 0);
    EXPECT_EQ(wlan_->GetConnectedProfile(kWirelessName, &connected, xml), 0);
    EXPECT_EQ(connected, 7);
    EXPECT_EQ(wlan_->SetProfile(kWirelessName, u"<name>x</name>", 1), 0);
    EXPECT_EQ(wlan_->DeleteProfile(kWirelessName, u"HomeAP"), 0);
    EXPECT_EQ(wlan_->Disconnect(kWirelessName), 0);
    ExpectNothingHeld();
}

}  // namespace
}  // namespace corvane

// The switching manager on simulated PCs before and from Vista: its trace texts, the profile
// document, the adapter choice, the services it arms, the adapter restart, the saved wireless
// setting and the link-local address.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/sim/code_page.h"
#include "platform/sim/wlan_service.h"
#include "tests/host/wlan/radio_pc.h"
#include "tests/host/wlan/traced.h"
#include "tools/scenario/vortau_run.h"
#include "wlan/manager_texts.h"
#include "wlan/projector_manager.h"

namespace corvane {
namespace {

using testing::kWirelessName;
using testing::Network;
using testing::Traced;

std::string ShiftJis(const std::string& utf8) {
    return sim::FromUtf16(sim::FromUtf8(utf8), 932);
}

sim::RadioConfig HomeRadio() {
    sim::RadioNetwork home = Network("HomeAP", -40, 1);
    home.privacy = 1;
    return {.ssid = "HomeAP",
            .infrastructureMode = 1,
            .authMode = 4,
            .encryption = 4,
            .networks = {home},
            .profiles = {sim::MakeProfileXml(u"HomeAP", "HomeAP", false, true, true)}};
}

// Windows XP with WZC running, or Vista with the WLAN service running.
sim::Scenario Pc(bool vista, sim::RadioConfig radio = HomeRadio()) {
    sim::Scenario pc = testing::RadioPc(std::move(radio));
    if (vista) {
        pc.majorVersion = 6;
        pc.minorVersion = 0;
        pc.services.push_back({.name = "wlansvc", .running = true});
    } else {
        pc.services.push_back({.name = "wzcsvc", .type = 0x20, .running = true});
    }
    return pc;
}

// A manager with the wireless adapter chosen.
struct Chosen {
    explicit Chosen(sim::Scenario scenario) : session(std::move(scenario)) {
        manager.EnumerateAdapters();
        manager.SelectAdapter(0);
    }
    sim::Pc& pc() { return session.pc(); }
    sim::RadioSettings Radio() {
        return pc().network().FindRadio(kWirelessName)->Settings(pc().now());
    }
    tools::SimSession session;
    CProjectorManager manager;
};

TEST(ManagerTextsTest, JapaneseLinesAreShiftJisBytesWhateverTheCodePage) {
    const std::pair<const char*, const char*> texts[] = {
        {manager_texts::kStartTime, "開始時間 %s\r\n"},
        {manager_texts::kEndTime, "終了時間 %s\r\n"},
        {manager_texts::kReadProfile, "プロファイル取得\r\n"},
        {manager_texts::kNoProfileFound, "プロファイルが見つからなかった\r\n"},
        {manager_texts::kProfileSaved, "プロファイルを保存\r\n"},
        {manager_texts::kNoProfileToRestore, "復旧するプロファイルが無い\r\n"},
        {manager_texts::kRestoreManual, "プロファイル復元 connectionMode manual\r\n"},
        {manager_texts::kRestoreAuto, "プロファイル復元 connectionMode auto\r\n"},
        {manager_texts::kRestored, "    成功\r\n"},
        {manager_texts::kLoadLibrary, "無線LANライブラリのロード\r\n"},
        {manager_texts::kEnumerate, "ESSID列挙\r\n"},
        {manager_texts::kBuildList, "ESSIDのリスト作成\r\n"},
        {manager_texts::kSetEvenIfSame, "すでにESSIDとインフラが意図したものでも設定を行う\r\n"},
        {manager_texts::kChangeTo, "ESSIDを[%s]に変更\r\n"},
        {manager_texts::kChanged, "ESSIDとインフラが意図したものに変更されている？\r\n"},
        {manager_texts::kRetry, "ESSID設定リトライ\r\n"},
        {manager_texts::kChangeResult, "ESSID変更結果 (%d)\r\n"},
    };
    for (const auto& [bytes, japanese] : texts) {
        EXPECT_EQ(std::string(bytes), ShiftJis(japanese)) << japanese;
    }
    // In the ring as they are, on a Western PC.
    sim::Scenario western = Pc(false);
    western.ansiCodePage = 1252;
    tools::SimSession session(western);
    { CProjectorManager manager; }
    std::vector<std::string> lines = session.Trace();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "2026/12/03 09:14:25:000 " + std::string(80, '-') + "\n");
    EXPECT_EQ(lines[1],
              "2026/12/03 09:14:25:000 " + ShiftJis("開始時間") + " 2026/12/03 09:14:25\n");
    EXPECT_EQ(lines[2],
              "2026/12/03 09:14:25:000 " + ShiftJis("終了時間") + " 2026/12/03 09:14:25\n");
}

TEST(AdHocProfileTest, TheTestNetworkIsNamedTwiceAndMarkupInANameIsEscaped) {
    std::u16string xml;
    ASSERT_EQ(CProjectorManager::CreateAdHocProfileXml(u"TAVIRSSID_12345678", xml), 1);
    EXPECT_EQ(xml,
              u"<?xml version=\"1.0\"?>\r\n"
              u"<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">\r\n"
              u"\t<name>TAVIRSSID_12345678</name>\r\n"
              u"\t<SSIDConfig>\r\n\t\t<SSID>\r\n\t\t\t<name>TAVIRSSID_12345678</name>\r\n"
              u"\t\t</SSID>\r\n\t</SSIDConfig>\r\n"
              u"\t<connectionType>IBSS</connectionType>\r\n"
              u"\t<connectionMode>manual</connectionMode>\r\n"
              u"\t<MSM>\r\n\t\t<security>\r\n\t\t\t<authEncryption>\r\n"
              u"\t\t\t\t<authentication>open</authentication>\r\n"
              u"\t\t\t\t<encryption>none</encryption>\r\n"
              u"\t\t\t</authEncryption>\r\n\t\t</security>\r\n\t</MSM>\r\n"
              u"</WLANProfile>");
    const auto markup = std::count(xml.begin(), xml.end(), u'<');
    ASSERT_EQ(CProjectorManager::CreateAdHocProfileXml(u"a&b<c>d\"e'f</name>", xml), 1);
    const std::u16string escaped = u"a&amp;b&lt;c&gt;d&quot;e&apos;f&lt;/name&gt;";
    EXPECT_NE(xml.find(u"\t<name>" + escaped + u"</name>\r\n"), std::u16string::npos);
    EXPECT_NE(xml.find(u"\t\t\t<name>" + escaped + u"</name>\r\n"), std::u16string::npos);
    EXPECT_EQ(std::count(xml.begin(), xml.end(), u'<'), markup);
}

TEST(ManagerAdapterTest, SelectAdapterTakesAListIndexOrMinusOneAndRefusesTheRest) {
    Chosen chosen(Pc(false));
    CProjectorManager& manager = chosen.manager;
    EXPECT_EQ(manager.m_nSelectedIndex, 0);
    EXPECT_EQ(std::string(manager.m_interfaceGuid), kWirelessName);
    EXPECT_EQ(manager.SelectAdapter(1), 0);
    EXPECT_EQ(manager.m_nLastError, CProjectorManager::kBadAdapterIndex);
    EXPECT_TRUE(Traced(chosen.session, "Error:20 (0x"));
    EXPECT_EQ(manager.m_nSelectedIndex, 0);
    EXPECT_EQ(manager.SelectAdapter(-1), 1);
    EXPECT_EQ(manager.m_nSelectedIndex, -1);
    EXPECT_EQ(manager.m_strSelectedName, "");
    EXPECT_EQ(manager.SaveWlanSetting(), 0);
    EXPECT_EQ(manager.m_nLastError, CProjectorManager::kNoAdapterSelected);
}

TEST(ManagerServicesTest, ServicesComeBackOnlyWhenTheManagerStoppedOrStartedThem) {
    struct Case {
        const char* what;
        bool vista;
        bool running;
        std::function<void(CProjectorManager&)> run;
        std::vector<std::string> requests;
    };
    for (const Case& c : std::vector<Case>{
             {"WZC stopped and remembered",
              false,
              true,
              [](CProjectorManager& m) { m.StopWZC(1), m.StartWZC(); },
              {"stop wzcsvc", "start wzcsvc"}},
             {"WZC stopped, not remembered",
              false,
              true,
              [](CProjectorManager& m) { m.StopWZC(0), m.StartWZC(); },
              {"stop wzcsvc"}},
             {"WZC not running",
              false,
              false,
              [](CProjectorManager& m) { m.StopWZC(1), m.StartWZC(); },
              {}},
             {"WZC on Vista",
              true,
              true,
              [](CProjectorManager& m) { m.StopWZC(1), m.StartWZC(); },
              {}},
             {"WLAN service was running",
              true,
              true,
              [](CProjectorManager& m) { m.StartWLANSVC(), m.StopWLANSVC(); },
              {"start wlansvc"}},
             {"WLAN service started by us",
              true,
              false,
              [](CProjectorManager& m) { m.StartWLANSVC(), m.StopWLANSVC(); },
              {"start wlansvc", "stop wlansvc"}},
             {"WLAN service before Vista",
              false,
              false,
              [](CProjectorManager& m) { m.StartWLANSVC(), m.StopWLANSVC(); },
              {}},
             {"our driver before Vista",
              false,
              true,
              [](CProjectorManager& m) { m.StartNDISPROT(), m.StopNDISPROT(); },
              {"start CorvaneNdisprot", "stop CorvaneNdisprot"}},
             {"our driver on Vista",
              true,
              true,
              [](CProjectorManager& m) { m.StartNDISPROT(), m.StopNDISPROT(); },
              {}},
         }) {
        SCOPED_TRACE(c.what);
        sim::Scenario scenario = Pc(c.vista);
        scenario.services.back().running = c.running;
        scenario.services.front().running = false;  // our driver
        tools::SimSession session(scenario);
        CProjectorManager manager;
        c.run(manager);
        std::vector<std::string> requests = session.pc().services().requests();
        EXPECT_EQ(requests, c.requests);
    }
}

TEST(ManagerAdapterTest, TheAdapterIsRestartedUnlessWzcRunsIt) {
    constexpr char16_t kWzcKey[] =
        u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\"
        u"{ABCDEF01-2345-6789-ABCD-EF0123456789}";
    constexpr char16_t kClassKey[] =
        u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\"
        u"{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001";
    struct Case {
        const char* what;
        bool wzcRunning;
        std::optional<uint32_t> flags;
        bool restarted;
    };
    for (const Case& c : {Case{"WZC runs it", true, 0x8000u, false},
                          Case{"WZC runs, other flags", true, 0x0002u, true},
                          Case{"WZC runs, flags unreadable", true, std::nullopt, true},
                          Case{"WZC stopped", false, 0x8000u, true}}) {
        SCOPED_TRACE(c.what);
        sim::Scenario scenario = Pc(false);
        scenario.services.back().running = c.wzcRunning;
        if (c.flags) {
            scenario.network.registry[kWzcKey][u"ControlFlags"] = {4, testing::Dword(*c.flags)};
        }
        scenario.network.registry[kClassKey][u"NetCfgInstanceID"] = {
            1, testing::Utf16(u"{ABCDEF01-2345-6789-ABCD-EF0123456789}")};
        scenario.network.netDevices = {{u"{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001", true}};
        Chosen chosen(scenario);
        EXPECT_EQ(chosen.manager.NetworkAdapterEnableDisable(), 1);
        EXPECT_EQ(chosen.pc().network().deviceChanges().size(), c.restarted ? 3u : 0u);
        EXPECT_TRUE(chosen.pc().network().devices()[0].enabled);
    }
}

TEST(ManagerSettingTest, BeforeVistaTheSavedNetworkAndItsSecurityComeBack) {
    Chosen chosen(Pc(false));
    CProjectorManager& manager = chosen.manager;
    ASSERT_EQ(manager.SaveWlanSetting(), 1);
    EXPECT_EQ(manager.m_strSavedSSID, "HomeAP");
    EXPECT_EQ(manager.m_nSavedAuthMode, 4u);
    EXPECT_EQ(manager.m_nSavedInfraMode, 1u);
    EXPECT_EQ(manager.m_nSavedEncryption, 4u);
    EXPECT_TRUE(Traced(chosen.session, "ESSID[HomeAP]AUTH[4]INFR[1]WEP[4]"));
    // The test's settings.
    ASSERT_EQ(manager.m_driverBackEnd.SetInfraModeLocked(0), 1);
    const uint32_t open = 0;
    ASSERT_EQ(manager.m_driverBackEnd.SetAuthModeLocked(&open), 1);
    ASSERT_EQ(manager.m_driverBackEnd.SetEncryptionStatusLocked(1), 1);
    ASSERT_EQ(manager.m_driverBackEnd.SetCurrentSSIDLocked("TAVIRSSID_12345678"), 1);

    ASSERT_EQ(manager.RestoreWlanSetting(), 1);
    EXPECT_EQ(chosen.Radio(), (sim::RadioSettings{"HomeAP", 1, 4, 4}));
    EXPECT_EQ(manager.m_strSavedSSID, "");
    for (const char* line :
         {"Infra Result[1]", "Auth  Result[1]", "WEP   Result[1]", "ESSID Result[1]"}) {
        EXPECT_TRUE(Traced(chosen.session, line)) << line;
    }
    // Nothing saved: nothing to do.
    EXPECT_EQ(manager.RestoreWlanSetting(), 1);
    EXPECT_EQ(chosen.pc().CountObjects<sim::ProtocolOpen>(), 0u);
}

TEST(ManagerSettingTest, FromVistaTheConnectedProfileIsSavedAndPutBackByItsMode) {
    struct Case {
        const char* what;
        bool autoConnect;
        std::string call;
        const char* line;
    };
    const std::string adapter = kWirelessName;
    for (const Case& c : {Case{"automatic", true, "WlanSetProfile " + adapter + " HomeAP",
                               manager_texts::kRestoreAuto},
                          Case{"manual", false, "WlanConnect " + adapter + " profile HomeAP",
                               manager_texts::kRestoreManual}}) {
        SCOPED_TRACE(c.what);
        sim::RadioConfig radio = HomeRadio();
        radio.profiles = {sim::MakeProfileXml(u"HomeAP", "HomeAP", false, c.autoConnect, true)};
        Chosen chosen(Pc(true, radio));
        CProjectorManager& manager = chosen.manager;
        ASSERT_EQ(manager.SaveWlanSetting(), 1);
        EXPECT_EQ(std::u16string(manager.m_savedProfileXml), radio.profiles[0]);
        EXPECT_TRUE(Traced(chosen.session, manager_texts::kProfileSaved));
        chosen.pc().wlan().calls().clear();
        ASSERT_EQ(manager.RestoreWlanSetting(), 1);
        const std::vector<std::string>& calls = chosen.pc().wlan().calls();
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[0], "WlanDisconnect " + adapter);
        EXPECT_EQ(calls[1], c.call);
        EXPECT_TRUE(Traced(chosen.session, c.line));
        EXPECT_TRUE(chosen.pc().wlan().clients().empty());
    }
}

TEST(ManagerSettingTest, FromVistaAnAdapterOnNoNetworkHasNothingToRestore) {
    sim::RadioConfig radio = HomeRadio();
    radio.ssid = "";
    Chosen chosen(Pc(true, radio));
    CProjectorManager& manager = chosen.manager;
    manager.m_savedProfileXml[0] = u'x';
    ASSERT_EQ(manager.SaveWlanSetting(), 1);
    EXPECT_EQ(manager.m_savedProfileXml[0], u'\0');
    EXPECT_TRUE(Traced(chosen.session, manager_texts::kNoProfileFound));
    chosen.pc().wlan().calls().clear();
    ASSERT_EQ(manager.RestoreWlanSetting(), 1);
    EXPECT_TRUE(Traced(chosen.session, manager_texts::kNoProfileToRestore));
    EXPECT_TRUE(chosen.pc().wlan().calls().empty());
}

TEST(ManagerFixedIpTest, OnlyAWirelessAdapterOnDhcpGetsALinkLocalAddressAndOnlyThatIsPutBack) {
    using testing::kConnection;
    using testing::kInterface;
    for (bool dhcp : {true, false}) {
        SCOPED_TRACE(dhcp);
        sim::Scenario scenario = Pc(false);
        scenario.network.adapters[0].dhcpEnabled = dhcp;
        scenario.network.registry[kConnection][u"PnpInstanceID"] = {
            1, testing::Utf16(u"PCI\\VEN_8086&DEV_4220\\1")};
        scenario.network.registry[kInterface][u"EnableDHCP"] = {4, testing::Dword(dhcp)};
        Chosen chosen(scenario);
        CProjectorManager& manager = chosen.manager;
        // Nothing was changed yet: nothing to put back.
        EXPECT_EQ(manager.SetFixedIP(1), 1);
        ASSERT_EQ(manager.SetFixedIP(0), 1);
        const sim::RegistryValue* enable =
            chosen.pc().network().registry().Value(kInterface, u"EnableDHCP");
        ASSERT_NE(enable, nullptr);
        EXPECT_EQ(enable->bytes, testing::Dword(0));
        EXPECT_EQ(manager.m_strAutoIpAdapterName, dhcp ? kWirelessName : "");
        const sim::RegistryValue* address =
            chosen.pc().network().registry().Value(kInterface, u"IPAddress");
        EXPECT_EQ(address != nullptr, dhcp);
        if (address != nullptr) {
            EXPECT_EQ(address->bytes.substr(0, 16), testing::Utf16(u"169.254.", 0));
        }
        ASSERT_EQ(manager.SetFixedIP(1), 1);
        EXPECT_EQ(chosen.pc().network().registry().Value(kInterface, u"EnableDHCP")->bytes,
                  testing::Dword(dhcp ? 1 : 0));
        EXPECT_EQ(manager.SetFixedIP(2), 0);
        EXPECT_EQ(manager.m_nLastError, CProjectorManager::kBadFixedIpMode);
    }
}

}  // namespace
}  // namespace corvane

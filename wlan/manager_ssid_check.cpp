// The SSID switching test: onto an open ad-hoc network (one in range, or one made up), held
// and watched for 40 seconds, and the adapter put back on every way out.

#include <optional>
#include <string>

#include "common/debug_log.h"
#include "common/text.h"
#include "platform/kernel.h"
#include "wlan/projector_manager.h"
#include "wlan/runtime_random.h"

namespace corvane {

namespace {

constexpr uint32_t kEnumerationTimeoutMs = 5000;
constexpr uint32_t kVistaEnumerationPauseMs = 2000;
// Before Vista a failing scan can fail at once (no driver, no adapter): without a pause the
// retries would spin for the whole time-out and flood the trace with their errors.
constexpr uint32_t kDriverEnumerationPauseMs = 500;
constexpr int32_t kWeakestRssi = -50;
constexpr uint32_t kMonitoringMs = 40000;
constexpr uint32_t kMonitoringPauseMs = 2000;
constexpr int kMostRandomCandidates = 100;
constexpr int kRandomDigits = 8;

// Results of the monitoring.
constexpr int kCoreOk = 0;
constexpr int kCoreNg1 = 1;
constexpr int kCoreNg2 = 2;
constexpr int kCoreCancelled = 3;
constexpr int kCoreNg3 = 4;

// Results of the test.
constexpr int kTestNotSwitched = 0;
constexpr int kTestNg1 = 1;
constexpr int kTestNg2 = 2;
constexpr int kTestNg3 = 3;
constexpr int kTestOk = 4;
constexpr int kTestCancelled = 5;

// The connection check's answers.
constexpr int kOnTheNetwork = 0;
constexpr int kOnAnother = 1;
constexpr int kOnNone = 2;

bool IsMajorVersionSixOrLater() {
    platform::OsVersionInfo version{};
    version.dwOSVersionInfoSize = platform::kOsVersionInfoSize;
    return platform::GetVersionExW(&version) && version.dwMajorVersion >= 6;
}

}  // namespace

int CProjectorManager::CheckSetESSID() {
    if (m_bCancel) {
        DebugLog("VORTAU CheckSetESSID Cancel\r\n");
        return kTestCancelled;
    }
    SaveWlanSetting();
    SetFixedIP(0);
    int result = SwitchAndWatch();
    // From Vista on the address goes back before the network, before Vista after it.
    if (IsMajorVersionSixOrLater()) {
        SetFixedIP(1);
        RestoreWlanSetting();
    } else {
        RestoreWlanSetting();
        SetFixedIP(1);
    }
    return result;
}

int CProjectorManager::SwitchAndWatch() {
    DebugLog("VORTAU CheckSetESSID ESSID Enumerates\r\n");
    uint32_t start = platform::GetTickCount();
    bool enumerated = false;
    for (;;) {
        if (m_bCancel) {
            DebugLog("VORTAU CheckSetESSID Cancel[1]\r\n");
            return kTestCancelled;
        }
        if (EnumESSID()) {
            enumerated = true;
            break;
        }
        platform::Sleep(m_bIsVista ? kVistaEnumerationPauseMs : kDriverEnumerationPauseMs);
        if (platform::GetTickCount() - start > kEnumerationTimeoutMs) {
            DebugLog("VORTAU CheckSetESSID ESSID Enumerates TimeOut\r\n");
            break;
        }
    }
    std::optional<std::string> existing;
    if (enumerated) {
        DebugLog("VORTAU CheckSetESSID ESSID Enumerates Success\r\n");
        DebugLog("VORTAU CheckSetESSID Select Network\r\n");
        existing = ChooseExistingNetwork();
    }
    DebugLog("VORTAU CheckSetESSID Check Start\r\n");
    for (int pass = 0;; ++pass) {
        if (m_bCancel) {
            DebugLog("VORTAU CheckSetESSID Cancel[2]\r\n");
            return kTestCancelled;
        }
        if (pass > 0) {
            DebugLog("VORTAU CheckSetESSID CheckResult NG1\r\n");
            return kTestNg1;
        }
        std::string name;
        int created = existing ? 0 : 1;
        if (!created) {
            DebugLog("VORTAU CheckSetESSID Use Existing Network[%s]\r\n", existing->c_str());
            name = *existing;
        } else {
            DebugLog("VORTAU CheckSetESSID Use Create Network \r\n");
            DebugLog("VORTAU CheckSetESSID CreateRandomESSID \r\n");
            if (!CreateRandomESSID(name)) {
                DebugLog("VORTAU CheckSetESSID CreateRandomESSID Error!!\r\n");
                return kTestNotSwitched;
            }
        }
        DebugLog("VORTAU CheckSetESSID Connect Network:%s\r\n", name.c_str());
        int registered = 0;
        if (!SetESSID(name, &registered)) {
            DebugLog("VORTAU CheckSetESSID SetESSID Error!!\r\n");
            if (registered) {
                DebugLog("VORTAU CheckSetESSID DeleteProfile()\r\n");
                DeleteProfile(name);
            }
            return kTestNotSwitched;
        }
        DebugLog("VORTAU CheckSetESSID Connect Network:%s\r\n", name.c_str());
        int core = CheckSetESSIDCore(created);
        if (registered) {
            DebugLog("VORTAU CheckSetESSID DeleteProfile()\r\n");
            DeleteProfile(name);
        }
        switch (core) {
            case kCoreOk:
                DebugLog("VORTAU CheckSetESSID CheckResult OK\r\n");
                return kTestOk;
            case kCoreNg2:
                DebugLog("VORTAU CheckSetESSID CheckResult NG2\r\n");
                return kTestNg2;
            case kCoreNg3:
                return RecheckCreatedNetwork(name);
            default:
                if (!enumerated) {
                    DebugLog("VORTAU CheckSetESSID CheckResult NG3\r\n");
                    return kTestNg3;
                }
                break;
        }
    }
}

std::optional<std::string> CProjectorManager::ChooseExistingNetwork() {
    const ESSIDInfo* chosen = nullptr;
    for (const auto& info : m_essidList) {
        if (info == nullptr) {
            continue;
        }
        if (!info->adHoc) {
            DebugLog("VORTAU CheckSetESSID Essid[%s, %d]:Not AdHoc!!\r\n", info->ssid, info->rssi);
        } else if (info->security) {
            DebugLog("VORTAU CheckSetESSID Essid[%s, %d]:SecurityEnable!!\r\n", info->ssid,
                     info->rssi);
        } else if (info->rssi < kWeakestRssi) {
            DebugLog("VORTAU CheckSetESSID Essid[%s, %d]:SmallRSSI[]!!\r\n", info->ssid,
                     info->rssi);
        } else {
            DebugLog("VORTAU CheckSetESSID Essid[%s, %d]:Non Problem\r\n", info->ssid, info->rssi);
            if (chosen == nullptr || info->rssi > chosen->rssi) {
                chosen = info.get();
            }
        }
    }
    if (chosen == nullptr) {
        return std::nullopt;
    }
    return std::string(chosen->ssid);
}

// A created network the adapter did not keep still passes when it can be seen in range as an
// open ad-hoc network of that name.
int CProjectorManager::RecheckCreatedNetwork(const std::string& name) {
    DebugLog("VORTAU CheckSetESSID ESSID Enumerates2\r\n");
    if (!EnumESSID()) {
        DebugLog("VORTAU CheckSetESSID CheckResult NG3\r\n");
        return kTestNg3;
    }
    DebugLog("VORTAU CheckSetESSID ESSID Enumerates2 Success\r\n");
    for (const auto& info : m_essidList) {
        if (info == nullptr) {
            continue;
        }
        if (!info->adHoc) {
            DebugLog("VORTAU CheckSetESSID Enumerates2 Not AdHoc(%s)!!\r\n", info->ssid);
        } else if (info->security) {
            DebugLog("VORTAU CheckSetESSID Enumerates2 Security Enabled(%s)!!\r\n", info->ssid);
        } else if (name != info->ssid) {
            DebugLog("VORTAU CheckSetESSID Enumerates2 Not Equal SSID(%s, %s)!!\r\n", name.c_str(),
                     info->ssid);
        } else {
            DebugLog("VORTAU CheckSetESSID CreateSSID Existing(%s)!!\r\n", name.c_str());
            DebugLog("VORTAU CheckSetESSID CheckResult OK\r\n");
            return kTestOk;
        }
    }
    DebugLog("VORTAU CheckSetESSID CheckResult NG3\r\n");
    return kTestNg3;
}

int CProjectorManager::CheckSetESSIDCore(int created) {
    uint32_t start = platform::GetTickCount();
    DebugLog("VORTAU CheckSetESSIDCore Start\r\n");
    int previous = kOnNone;
    int last = kOnNone;
    int result = kCoreOk;
    for (;;) {
        if (m_bCancel) {
            DebugLog("VORTAU CheckSetESSIDCore Cancel[1]\r\n");
            result = kCoreCancelled;
            break;
        }
        last = CheckESSID();
        DebugLog("VORTAU CheckSetESSIDCore CheckESSID():%d\r\n", last);
        if (last == kOnAnother) {
            DebugLog("VORTAU CheckSetESSIDCore Check NG2\r\n");
            result = kCoreNg2;
            break;
        }
        if (last == kOnNone) {
            DebugLog("VORTAU CheckSetESSIDCore Prev CheckESSID():%d\r\n", previous);
            // Lost after it had been on the network; not yet there is given time.
            if (previous == kOnTheNetwork) {
                DebugLog("VORTAU CheckSetESSIDCore Check NG2\r\n");
                result = kCoreNg2;
                break;
            }
        }
        previous = last;
        if (platform::GetTickCount() - start > kMonitoringMs) {
            if (last == kOnTheNetwork) {
                DebugLog("VORTAU CheckSetESSIDCore Check OK\r\n");
                result = kCoreOk;
            } else if (created) {
                DebugLog("VORTAU CheckSetESSIDCore Check NG3\r\n");
                result = kCoreNg3;
            } else {
                DebugLog("VORTAU CheckSetESSIDCore Check NG1\r\n");
                result = kCoreNg1;
            }
            break;
        }
        platform::Sleep(kMonitoringPauseMs);
        if (m_bCancel) {
            DebugLog("VORTAU CheckSetESSIDCore Cancel[1]\r\n");
            result = kCoreCancelled;
            break;
        }
    }
    DebugLog("VORTAU CheckSetESSIDCore End\r\n");
    return result;
}

int CProjectorManager::CreateRandomESSID(std::string& name) {
    DebugLog("VORTAU CreateRandomESSID Start \r\n");
    RuntimeRandom random(static_cast<uint32_t>(platform::time()));
    int collisions = 0;
    int result = 0;
    std::string candidate;
    for (;;) {
        std::u16string wide = u"TAVIRSSID_";
        for (int i = 0; i < kRandomDigits; ++i) {
            wide.push_back(static_cast<char16_t>(u'0' + random.Next() % 100 / 10));
        }
        candidate = ToAnsi(wide);
        DebugLog("VORTAU CreateRandomESSID Candidate:%s \r\n", candidate.c_str());
        DebugLog("VORTAU CreateRandomESSID Existing Check\r\n");
        bool taken = false;
        for (const auto& info : m_essidList) {
            taken = taken || (info != nullptr && candidate == info->ssid);
        }
        if (!taken) {
            result = 1;
            break;
        }
        DebugLog("VORTAU CreateRandomESSID Existing!!\r\n");
        if (++collisions == kMostRandomCandidates) {
            break;
        }
    }
    name = candidate;
    DebugLog("VORTAU CreateRandomESSID End \r\n");
    return result;
}

}  // namespace corvane

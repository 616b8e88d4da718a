#pragma once
// The wireless back end from Vista on: the operating system's WLAN service, through
// Wlanapi.dll loaded at run time from the system directory. Every operation opens its own
// client handle and closes it again. Interfaces are named by their GUID text, with or without
// braces, as IP Helper names the adapter.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/types.h"
#include "platform/wlan.h"
#include "wlan/wlan_entry_points.h"

namespace corvane {

class CWirelessLANVista {
  public:
    static constexpr int kProfileXmlUnits = 16384;  // the buffer GetConnectedProfile fills
    static constexpr int kRefresh = -1;

    CWirelessLANVista() = default;
    virtual ~CWirelessLANVista();
    CWirelessLANVista(const CWirelessLANVista&) = delete;
    CWirelessLANVista& operator=(const CWirelessLANVista&) = delete;

    // Every other operation returns 0 until this has succeeded.
    int LoadWlanApi();
    void FreeWlanApi();

    int RequestScan(const char* interfaceName);
    // kRefresh: the interface's available networks into the cache (`count` receives how many).
    // An index from 0: that cached network into `network` (`count` receives the cache's size).
    int GetAvailableNetwork(const char* interfaceName, int index,
                            platform::WlanAvailableNetwork* network, int* count);
    int ConnectNetwork(const char* interfaceName, const platform::WlanAvailableNetwork* network);
    int Disconnect(const char* interfaceName);
    // The profile of the network the interface is connected with, into `xml` (kProfileXmlUnits,
    // zeroed first); `connected` says whether there is one.
    int GetConnectedProfile(const char* interfaceName, int* connected, char16_t* xml);
    // Mode non-zero: stores the profile. Mode zero: connects by the profile the XML names.
    int SetProfile(const char* interfaceName, const char16_t* xml, int mode);
    int DeleteProfile(const char* interfaceName, const char16_t* profileName);
    void ClearNetworkCache();
    int CacheSize() const { return static_cast<int>(m_networkCache.size()); }

  private:
    bool IsLoaded() const { return m_hWlanApi != nullptr; }
    bool Connect(const char* interfaceName, const platform::WlanConnectionParameters& params);

    std::vector<std::unique_ptr<platform::WlanAvailableNetwork>> m_networkCache;
    platform::Module m_hWlanApi = nullptr;
    WlanEntryPoints m_api;
};

}  // namespace corvane

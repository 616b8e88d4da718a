#pragma once
// Network settings of the check program: protocol driver installation and removal, the
// adapter's connection lookup and its TCP/IP address settings.

#include <cstddef>
#include <cstdint>

namespace corvane {

class CTAVIR_NetSet {
  public:
    // Registers TAVIR_CorvaneWD.inf from `directory` (ending in a backslash) with the system,
    // copies the driver and creates its service. 1 on success, 0 on failure; logs nothing.
    int InstallDriverFiles(const char16_t* directory);
    // Installs the network component TAVIR_Corvane_Ndisprot when `install` is 1, removes it
    // otherwise. Every failure is swallowed: always 0.
    int NetCfgSetup(int install);

    static constexpr size_t kTextUnits = 1024;

    virtual ~CTAVIR_NetSet() = default;

    // Looks up the adapter's network connection key; 1 with its PnP instance ID and GUID held,
    // else 0.
    int GetPnpInstanceId(const char16_t* adapterGuid);
    // Writes IPAddress and SubnetMask (one-entry multi-strings) and EnableDHCP of the held
    // adapter's TCP/IP interface. 1 on success, 0 on failure.
    int WriteTcpipInterface(const char16_t* address, const char16_t* mask, uint32_t enableDhcp);
    // Makes TCP/IP take the held adapter's new values by switching its binding to the adapter
    // off and on. 0 when no PnP instance ID is held, else 1: the engine's failures are not
    // reported.
    int RestartTcpipBinding();
    const char16_t* PnpInstanceId() const { return m_szPnpInstanceId; }
    const char16_t* AdapterGuid() const { return m_szAdapterGuid; }

  private:
    char16_t m_szPnpInstanceId[kTextUnits] = {};
    char16_t m_szAdapterGuid[kTextUnits] = {};
};

}  // namespace corvane

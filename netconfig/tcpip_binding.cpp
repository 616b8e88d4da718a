// Making TCP/IP take an adapter's new address values without a restart: its binding to the
// adapter is switched off and on through the network configuration engine.

#include "netconfig/netcfg_session.h"
#include "netconfig/tavir_net_set.h"
#include "netconfig/text_compare.h"
#include "platform/shell.h"

namespace corvane {

namespace {

// Whether the binding path's token names the device after its first '>'.
bool LeadsTo(const platform::NetCfgBindingPath& path, const char16_t* pnpInstanceId) {
    char16_t* token = nullptr;
    if (!platform::Succeeded(platform::INetCfgBindingPath_GetPathToken(path, &token)) ||
        token == nullptr) {
        return false;
    }
    const char16_t* arrow = token;
    while (*arrow != u'\0' && *arrow != u'>') {
        ++arrow;
    }
    bool matches = *arrow == u'>' && EqualNoCase(arrow + 1, pnpInstanceId);
    platform::CoTaskMemFree(token);
    return matches;
}

// TCP/IP's binding paths downwards, to the adapters.
bool ListPathsBelow(const platform::NetCfgComponent& tcpip,
                    platform::EnumNetCfgBindingPath* paths) {
    platform::NetCfgComponentBindings bindings;
    if (!platform::Succeeded(platform::INetCfgComponent_QueryBindings(tcpip, &bindings)) ||
        !platform::Succeeded(platform::INetCfgComponentBindings_EnumBindingPaths(
            bindings, platform::kEbpBelow, paths))) {
        return false;
    }
    bindings.Release();
    platform::IEnumNetCfgBindingPath_Reset(*paths);
    return true;
}

// Off (when on) and on again, each change applied at once.
void SwitchOffAndOn(const platform::NetCfg& netCfg, const platform::NetCfgBindingPath& path) {
    if (platform::INetCfgBindingPath_IsEnabled(path) != platform::kSFalse) {
        platform::INetCfgBindingPath_Enable(path, false);
        platform::INetCfg_Apply(netCfg);
    }
    if (platform::INetCfgBindingPath_IsEnabled(path) != platform::kSOk) {
        platform::INetCfgBindingPath_Enable(path, true);
        platform::INetCfg_Apply(netCfg);
    }
}

}  // namespace

int CTAVIR_NetSet::RestartTcpipBinding() {
    if (m_szPnpInstanceId[0] == u'\0') {
        return 0;
    }
    NetCfgSession session;
    if (!session.IsOpen()) {
        return 1;
    }
    platform::NetCfgComponent tcpip;
    platform::EnumNetCfgBindingPath paths;
    if (platform::INetCfg_FindComponent(session.netCfg(), u"MS_TCPIP", &tcpip) != platform::kSOk ||
        !ListPathsBelow(tcpip, &paths)) {
        return 1;
    }
    platform::NetCfgBindingPath path;
    while (platform::IEnumNetCfgBindingPath_Next(paths, &path) == platform::kSOk) {
        if (LeadsTo(path, m_szPnpInstanceId)) {
            SwitchOffAndOn(session.netCfg(), path);
            break;
        }
        path.Release();
    }
    return 1;
}

}  // namespace corvane

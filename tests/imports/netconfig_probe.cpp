// Never run: links every network settings operation and every wireless LAN operation (the
// protocol driver channel, the driver back end, Wireless Zero Configuration's flags, the native
// back end over Wlanapi.dll, the switching manager) and the control of the vendor utilities and
// services into one 32-bit program, so that the import check sees all the system functions that
// VORTAU will call once its checks 3 and 4 use them.
// Wlanapi.dll itself must not be among its imports: Windows 2000 and XP have none, so it is loaded
// at run time.

#include <cstdint>

#include "checker/checks/process_control.h"
#include "common/pellora2_tools.h"
#include "netconfig/adapter_record.h"
#include "netconfig/adapters_info.h"
#include "netconfig/apipa_setting.h"
#include "netconfig/nic_info.h"
#include "netconfig/service_control.h"
#include "netconfig/tavir_net_set.h"
#include "wlan/projector_manager.h"
#include "wlan/wireless_lan.h"
#include "wlan/wireless_lan_vista.h"
#include "wlan/wlan_ctrl_sv.h"
#include "wlan/wzc_control_flags.h"

int wmain(int argc, wchar_t**) {
    if (argc < 100) {
        return 0;
    }
    const uint8_t mac[6] = {};
    uint32_t address = 0;
    uint32_t mask = 0;
    corvane::CAdaptersInfo adapters;
    int sum = adapters.Load() + adapters.GetIpAddress(0, 0, &address, &mask) +
              static_cast<int>(adapters.GetGateway(0, 0) + adapters.FindGatewayByMac(mac));
    corvane::AdapterList list;
    sum += corvane::EnumerateAdapters(list);
    corvane::CNICInfo nic("{00000000-0000-0000-0000-000000000000}");
    sum += nic.IsWireless() + nic.IsReady() + nic.IsConnected();
    corvane::CPellora2Tools::EnableAdapter(0, u"{00000000-0000-0000-0000-000000000000}");
    corvane::CAPIPAOrgSetting apipa;
    sum += static_cast<int>(apipa.FindFreeAddress(0));
    corvane::CServiceControl services;
    sum += services.Start("x", 1) + services.Stop("x", 1) + services.IsActive(0x30, "x");
    corvane::CTAVIR_NetSet netSet;
    sum += netSet.GetPnpInstanceId(u"{}") + netSet.WriteTcpipInterface(u"", u"", 1) +
           netSet.RestartTcpipBinding() + netSet.InstallDriverFiles(u"C:\\") +
           netSet.NetCfgSetup(1);
    corvane::CWLANCtrlSV& channel = corvane::CWLANCtrlSV::Instance();
    char ssid[33] = {};
    sum += channel.OpenDriver() + channel.OpenAdapter("\\DEVICE\\{}") +
           channel.GetOIDData(0, &address, sizeof address) +
           channel.SetOIDData(0, &address, sizeof address) + channel.ScanBSSIDList() +
           channel.GetSSID(ssid) + channel.SetSSID(ssid);
    channel.CloseDriver();
    corvane::CWirelessLAN lan;
    sum += lan.SelectAdapterByMAC(mac) + lan.EnumNetworks() + lan.GetInfraModeLocked(&mask) +
           lan.SetCurrentSSIDLocked(ssid);
    sum += corvane::GetWZCControlFlags("{}", &mask);
    corvane::CWirelessLANVista vista;
    platform::WlanAvailableNetwork network = {};
    int count = 0;
    static char16_t xml[corvane::CWirelessLANVista::kProfileXmlUnits];
    sum += vista.LoadWlanApi() + vista.RequestScan("{}") +
           vista.GetAvailableNetwork("{}", corvane::CWirelessLANVista::kRefresh, &network, &count) +
           vista.ConnectNetwork("{}", &network) + vista.Disconnect("{}") +
           vista.GetConnectedProfile("{}", &count, xml) + vista.SetProfile("{}", xml, 1) +
           vista.DeleteProfile("{}", xml);
    corvane::CProjectorManager manager;
    sum += manager.EnumerateAdapters() + manager.SelectAdapter(0) + manager.StopWZC(1) +
           manager.StartWZC() + manager.StartWLANSVC() + manager.StopWLANSVC() +
           manager.StartNDISPROT() + manager.StopNDISPROT() +
           manager.NetworkAdapterEnableDisable() + manager.SaveWlanSetting() +
           manager.SetFixedIP(0) + manager.EnumESSID() + manager.SetESSID("x") +
           manager.CheckESSID() + manager.DeleteProfile("x") + manager.SetFixedIP(1) +
           manager.RestoreWlanSetting();
    corvane::UtilityControlContext utilities;
    int waitMs = 0;
    uint8_t restartAdapter = 0;
    sum += corvane::ProcessControl(&count, &waitMs, utilities, corvane::kProcessControlEnter,
                                   &restartAdapter) +
           corvane::ProcessControl(&count, &waitMs, utilities, corvane::kProcessControlLeave,
                                   &restartAdapter);
    return sum;
}

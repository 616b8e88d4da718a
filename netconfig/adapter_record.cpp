#include "netconfig/adapter_record.h"

#include <cstring>
#include <new>

#include "netconfig/adapters_info.h"
#include "netconfig/nic_info.h"

namespace corvane {

namespace {

template <size_t N>
void CopyText(char (&field)[N], const char* text) {
    std::memset(field, 0, N);
    size_t length = strnlen(text, N - 1);
    std::memcpy(field, text, length);
}

}  // namespace

int EnumerateAdapters(AdapterList& list) {
    list.clear();
    CAdaptersInfo snapshot;
    snapshot.Load();
    for (int i = 0; i < snapshot.GetCount(); ++i) {
        std::unique_ptr<AdapterRecord> record(new (std::nothrow) AdapterRecord{});
        if (!record) {
            continue;
        }
        const platform::IpAdapterInfo* info = snapshot.GetAdapter(i);
        CNICInfo nic(info->AdapterName);
        CopyText(record->name, info->AdapterName);
        CopyText(record->description, info->Description);
        snapshot.GetIpAddress(i, 0, &record->ipAddress, &record->subnetMask);
        record->gateway = snapshot.GetGateway(i, 0);
        record->isWireless = nic.IsWireless();
        record->isConnected = nic.IsConnected();
        record->isReady = nic.IsReady();
        uint16_t version = 0;
        uint32_t length = sizeof version;
        if (nic.QueryOid(CNICInfo::kOidGenDriverVersion, &version, &length) == 0) {
            record->driverVersion = version;
        }
        std::memcpy(record->macAddress, info->Address, sizeof record->macAddress);
        record->dhcpEnabled = info->DhcpEnabled;
        list.push_back(std::move(record));
    }
    return snapshot.GetCount();
}

}  // namespace corvane

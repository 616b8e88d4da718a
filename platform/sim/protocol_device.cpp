#include "platform/sim/protocol_device.h"

#include <algorithm>
#include <cstring>

#include "platform/iphlp.h"
#include "platform/protocol_driver.h"
#include "platform/sim/code_page.h"

namespace sim {

namespace {

constexpr uint32_t kErrorInvalidFunction = 1;
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorInvalidParameter = 87;
constexpr uint32_t kErrorBusy = 170;
constexpr uint32_t kErrorDeviceNotConnected = 1167;
constexpr uint32_t kServiceRunning = 4;
constexpr char kAdapterPrefix[] = "\\DEVICE\\";

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// The adapter that a bound driver knows by "\DEVICE\{GUID}", or nullptr.
const AdapterConfig* BoundAdapter(Pc& pc, const std::u16string& deviceName) {
    std::string name = Upper(ToUtf8(deviceName));
    for (const AdapterConfig& adapter : pc.network().config().adapters) {
        if (adapter.protocolBound && name == Upper(kAdapterPrefix + adapter.name)) {
            return &adapter;
        }
    }
    return nullptr;
}

uint32_t Query(Pc& pc, const std::string& adapter, uint32_t oid, uint32_t room,
               std::string& value) {
    Radio* radio = pc.network().FindRadio(adapter);
    uint32_t error = radio == nullptr ? platform::kErrorNotSupported
                                      : radio->Query(oid, room, pc.now(), value);
    if (error != platform::kErrorNotSupported) {
        return error;
    }
    // What the adapter's miniport answers besides its radio (its general OIDs).
    OidAnswer* answer = pc.network().Answer(adapter, oid);
    if (answer == nullptr) {
        return platform::kErrorNotSupported;
    }
    if (answer->error != 0) {
        return answer->error;
    }
    value = answer->bytes;
    return value.size() > room ? platform::kErrorInsufficientBuffer : 0;
}

}  // namespace

bool IsProtocolDevicePath(const std::string& path) {
    return Upper(path) == Upper(platform::kProtocolDevicePath);
}

uint32_t OpenProtocolDevice(Pc& pc) {
    ServiceManager& services = pc.services();
    std::optional<size_t> service = services.Find(platform::kProtocolServiceName);
    if (!service.has_value() || services.At(*service, pc.now()).state != kServiceRunning) {
        return kErrorFileNotFound;
    }
    return 0;
}

uint32_t ProtocolDeviceControl(Pc& pc, ProtocolOpen& open, uint32_t code, const void* in,
                               uint32_t inSize, void* out, uint32_t outSize, uint32_t* returned) {
    *returned = 0;
    std::string input(static_cast<const char*>(in), in == nullptr ? 0 : inSize);
    pc.network().protocolRequests().push_back({code, input, outSize});
    switch (code) {
        case platform::kIoctlBindWait:
            return pc.network().config().bindWaitError;
        case platform::kIoctlOpenDevice: {
            if (!open.adapter.empty()) {
                return kErrorBusy;
            }
            std::u16string name(input.size() / 2, u'\0');
            std::memcpy(name.data(), input.data(), name.size() * 2);
            const AdapterConfig* adapter = BoundAdapter(pc, name);
            if (adapter == nullptr) {
                return kErrorFileNotFound;
            }
            open.adapter = adapter->name;
            return 0;
        }
        case platform::kIoctlQueryOidValue:
        case platform::kIoctlSetOidValue:
            break;
        default:
            return kErrorInvalidFunction;
    }
    if (inSize < 4 || out == nullptr || outSize < 4) {
        return kErrorInvalidParameter;
    }
    if (open.adapter.empty()) {
        return kErrorDeviceNotConnected;
    }
    uint32_t oid = 0;
    std::memcpy(&oid, input.data(), sizeof oid);
    if (code == platform::kIoctlSetOidValue) {
        Radio* radio = pc.network().FindRadio(open.adapter);
        uint32_t error = radio == nullptr ? platform::kErrorNotSupported
                                          : radio->Set(oid, input.substr(4), pc.now());
        if (error == 0) {
            *returned = inSize;
        }
        return error;
    }
    std::string value;
    uint32_t error = Query(pc, open.adapter, oid, outSize - 4, value);
    if (error != 0) {
        return error;
    }
    std::memcpy(static_cast<char*>(out) + 4, value.data(), value.size());
    *returned = static_cast<uint32_t>(4 + value.size());
    return 0;
}

}  // namespace sim

#include "platform/sim/protocol_device.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/iphlp.h"
#include "platform/protocol_driver.h"

namespace sim {

namespace {

constexpr uint32_t kErrorInvalidFunction = 1;
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorInvalidParameter = 87;
constexpr uint32_t kErrorBusy = 170;
constexpr uint32_t kErrorDeviceNotConnected = 1167;
constexpr uint32_t kServiceRunning = 4;

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

bool ServiceRuns(Pc& pc) {
    ServiceManager& services = pc.services();
    std::optional<size_t> service = services.Find(platform::kProtocolServiceName);
    return service.has_value() && services.At(*service, pc.now()).state == kServiceRunning;
}

// What the I/O manager reports to the caller for each answer of the driver.
uint32_t WindowsError(CvStatus status) {
    switch (status) {
        case CV_OK:
            return 0;
        case CV_INVALID_PARAMETER:
            return kErrorInvalidParameter;
        case CV_BUFFER_TOO_SMALL:
            return platform::kErrorInsufficientBuffer;
        case CV_NOT_FOUND:
            return kErrorFileNotFound;
        case CV_BUSY:
            return kErrorBusy;
        case CV_NOT_CONNECTED:
            return kErrorDeviceNotConnected;
        case CV_NOT_SUPPORTED:
            return platform::kErrorNotSupported;
        default:
            return kErrorInvalidFunction;
    }
}

void Unbind(ProtocolDriver& driver, int slot) {
    void* lower = nullptr;
    if (CvUnbindBegin(&driver.core, slot, &lower) == CV_OK) {
        CvUnbindComplete(&driver.core, slot);
        driver.adapters.erase(slot);
    }
}

// DriverEntry binds every adapter NDIS offers, then NDIS says its binds are done; an adapter
// pulled out is unbound, and a stopped service unloads the driver.
ProtocolDriver* LoadedDriver(Pc& pc) {
    std::shared_ptr<ProtocolDriver>& driver = pc.protocolDriver();
    if (!ServiceRuns(pc)) {
        if (driver != nullptr) {
            for (int slot = CvNextBound(&driver->core, -1); slot >= 0;
                 slot = CvNextBound(&driver->core, slot)) {
                Unbind(*driver, slot);
            }
            driver.reset();
        }
        return nullptr;
    }
    if (driver == nullptr) {
        driver = std::make_shared<ProtocolDriver>();
        CvCoreInit(&driver->core);
        for (const AdapterConfig& adapter : pc.network().config().adapters) {
            if (!adapter.protocolBound) {
                continue;
            }
            std::string device = "\\DEVICE\\" + adapter.name;
            std::vector<uint16_t> name(device.begin(), device.end());
            int slot = -1;
            if (CvBindBegin(&driver->core, name.data(), name.size(), &slot) == CV_OK) {
                CvBindComplete(&driver->core, slot, CV_OK, nullptr);
                driver->adapters[slot] = adapter.name;
            }
        }
        CvBindsComplete(&driver->core);
    }
    std::vector<int> gone;
    for (const auto& [slot, adapter] : driver->adapters) {
        if (pc.network().FindAdapter(adapter) == nullptr) {
            gone.push_back(slot);
        }
    }
    for (int slot : gone) {
        Unbind(*driver, slot);
    }
    return driver.get();
}

uint32_t Query(Pc& pc, const std::string& adapter, uint32_t oid, uint32_t room,
               std::string& value) {
    Radio* radio = pc.network().FindRadio(adapter);
    uint32_t error =
        radio == nullptr ? platform::kErrorNotSupported : radio->Query(oid, room, pc.now(), value);
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

// The adapter's miniport answers the request in the driver's buffer: 0 with the bytes it
// wrote or read, or its error.
uint32_t Miniport(Pc& pc, const std::string& adapter, const CvRequest& request, uint32_t* done) {
    if (!request.query) {
        Radio* radio = pc.network().FindRadio(adapter);
        std::string data(reinterpret_cast<const char*>(request.value), request.valueLength);
        uint32_t error = radio == nullptr ? platform::kErrorNotSupported
                                          : radio->Set(request.oid, data, pc.now());
        *done = error == 0 ? request.valueLength : 0;
        return error;
    }
    std::string value;
    uint32_t error = Query(pc, adapter, request.oid, request.valueLength, value);
    if (error == 0) {
        std::memcpy(request.value, value.data(), value.size());
        *done = static_cast<uint32_t>(value.size());
    }
    return error;
}

}  // namespace

bool IsProtocolDevicePath(const std::string& path) {
    return Upper(path) == Upper(platform::kProtocolDevicePath);
}

uint32_t OpenProtocolDevice(Pc& pc) {
    return LoadedDriver(pc) == nullptr ? kErrorFileNotFound : 0;
}

uint32_t ProtocolDeviceControl(Pc& pc, ProtocolOpen& open, uint32_t code, const void* in,
                               uint32_t inSize, void* out, uint32_t outSize, uint32_t* returned) {
    *returned = 0;
    std::string input(static_cast<const char*>(in), in == nullptr ? 0 : inSize);
    pc.network().protocolRequests().push_back({code, input, outSize});
    ProtocolDriver* driver = LoadedDriver(pc);
    if (driver == nullptr) {
        return kErrorDeviceNotConnected;
    }
    // Buffered I/O: the driver works in one system buffer as long as the longer of the two.
    std::vector<uint8_t> system(std::max(inSize, outSize) + 1);
    std::memcpy(system.data(), input.data(), input.size());
    switch (code) {
        case platform::kIoctlBindWait:
            // The binds were done at the load; a wait still pending would end at its time-out,
            // successfully too. A scenario may make the wait fail.
            return pc.network().config().bindWaitError;
        case platform::kIoctlOpenDevice:
            return WindowsError(CvOpenDevice(&driver->core, &open.file,
                                             in == nullptr ? nullptr : system.data(), inSize));
        default:
            break;
    }
    CvRequest request{};
    CvStatus status =
        CvRequestBegin(&driver->core, &open.file, code, in == nullptr ? nullptr : system.data(),
                       inSize, outSize, &request);
    if (status != CV_OK) {
        return WindowsError(status);
    }
    uint32_t done = 0;
    uint32_t adapterError = Miniport(pc, driver->adapters[request.slot], request, &done);
    size_t bytes = 0;
    int idle = 0;
    status = CvRequestEnd(&driver->core, &request, adapterError == 0 ? CV_OK : CV_FAILED, done,
                          outSize, &bytes, &idle);
    if (status == CV_FAILED) {
        return adapterError != 0 ? adapterError : kErrorInvalidFunction;
    }
    if (status != CV_OK) {
        return WindowsError(status);
    }
    if (out != nullptr) {
        std::memcpy(out, system.data(), bytes);
    }
    *returned = static_cast<uint32_t>(bytes);
    return 0;
}

void CloseProtocolDevice(Pc& pc, ProtocolOpen& open) {
    if (pc.protocolDriver() != nullptr) {
        CvFileCleanup(&pc.protocolDriver()->core, &open.file);
    }
}

}  // namespace sim

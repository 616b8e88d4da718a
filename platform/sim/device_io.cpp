#include "platform/device_io.h"

#include <cstring>
#include <string>
#include <variant>

#include "platform/iphlp.h"
#include "platform/kernel.h"
#include "platform/sim/pc.h"
#include "platform/sim/protocol_device.h"

namespace platform {

namespace {

constexpr uint32_t kIoctlNdisQueryGlobalStats = 0x00170002;
constexpr char kDevicePrefix[] = "\\\\.\\";

}  // namespace

Handle CreateFileA(const char* path, uint32_t, uint32_t, uint32_t, uint32_t) {
    sim::Pc& pc = sim::CurrentPc();
    std::string name = path == nullptr ? "" : path;
    if (sim::IsProtocolDevicePath(name)) {
        uint32_t error = sim::OpenProtocolDevice(pc);
        SetLastError(error);
        return error == kErrorSuccess ? pc.AddObject(sim::ProtocolOpen{}) : nullptr;
    }
    const sim::AdapterConfig* adapter =
        name.starts_with(kDevicePrefix) ? pc.network().FindAdapter(name.substr(4)) : nullptr;
    if (adapter == nullptr || adapter->openError != kErrorSuccess) {
        SetLastError(adapter == nullptr ? kErrorFileNotFound : adapter->openError);
        return nullptr;
    }
    SetLastError(kErrorSuccess);
    return pc.AddObject(sim::OpenFile{std::u16string(name.begin(), name.end())});
}

bool DeviceIoControl(Handle device, uint32_t code, const void* in, uint32_t inSize, void* out,
                     uint32_t outSize, uint32_t* returned) {
    sim::Pc& pc = sim::CurrentPc();
    *returned = 0;
    sim::KernelObject* object = pc.FindObject(device);
    if (auto* driver = object == nullptr ? nullptr : std::get_if<sim::ProtocolOpen>(object)) {
        uint32_t error =
            sim::ProtocolDeviceControl(pc, *driver, code, in, inSize, out, outSize, returned);
        SetLastError(error);
        return error == kErrorSuccess;
    }
    const auto* open = object == nullptr ? nullptr : std::get_if<sim::OpenFile>(object);
    if (open == nullptr) {
        SetLastError(6);  // ERROR_INVALID_HANDLE
        return false;
    }
    if (code != kIoctlNdisQueryGlobalStats || inSize != sizeof(uint32_t)) {
        SetLastError(1);  // ERROR_INVALID_FUNCTION
        return false;
    }
    uint32_t oid = 0;
    std::memcpy(&oid, in, sizeof oid);
    std::string adapter(open->path.begin() + 4, open->path.end());
    sim::OidAnswer* answer = pc.network().Answer(adapter, oid);
    uint32_t error = answer == nullptr ? kErrorNotSupported : answer->error;
    if (answer != nullptr && answer->busyTimes > 0) {
        --answer->busyTimes;
        error = kErrorGenFailure;
    }
    if (error == kErrorSuccess && outSize < answer->bytes.size()) {
        error = kErrorInsufficientBuffer;
    }
    if (error != kErrorSuccess) {
        SetLastError(error);
        return false;
    }
    std::memcpy(out, answer->bytes.data(), answer->bytes.size());
    *returned = static_cast<uint32_t>(answer->bytes.size());
    return true;
}

}  // namespace platform

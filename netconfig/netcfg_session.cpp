#include "netconfig/netcfg_session.h"

namespace corvane {

namespace {

constexpr uint32_t kLockTimeoutMs = 5;
constexpr char16_t kClientName[] = u"IPaddrSetup";

}  // namespace

NetCfgSession::NetCfgSession() {
    platform::CoInitialize();
    if (!platform::Succeeded(platform::CoCreateNetCfg(&netCfg_))) {
        return;
    }
    if (!platform::Succeeded(platform::INetCfg_QueryLock(netCfg_, &lock_))) {
        return;
    }
    // Another configuration program may hold the lock; the attempt goes on anyway, and the
    // calls that need it report their own failure.
    platform::INetCfgLock_AcquireWriteLock(lock_, kLockTimeoutMs, kClientName);
    platform::INetCfg_Initialize(netCfg_);
}

NetCfgSession::~NetCfgSession() {
    if (IsOpen()) {
        platform::INetCfg_Uninitialize(netCfg_);
        platform::INetCfgLock_ReleaseWriteLock(lock_);
    }
    lock_.Release();
    netCfg_.Release();
    platform::CoUninitialize();
}

}  // namespace corvane

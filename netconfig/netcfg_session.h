#pragma once
// The network configuration engine opened for changes, on the calling thread: COM initialised,
// the configuration object created, its write lock asked for and the object initialised; all of
// it undone in the reverse order when the session ends.

#include "platform/netcfg.h"

namespace corvane {

class NetCfgSession {
  public:
    NetCfgSession();
    ~NetCfgSession();
    NetCfgSession(const NetCfgSession&) = delete;
    NetCfgSession& operator=(const NetCfgSession&) = delete;

    // False when the configuration object or its lock could not be had; nothing can be asked.
    bool IsOpen() const { return lock_.get() != nullptr; }
    const platform::NetCfg& netCfg() const { return netCfg_; }

  private:
    platform::NetCfg netCfg_;
    platform::NetCfgLock lock_;
};

}  // namespace corvane

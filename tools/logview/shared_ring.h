#pragma once
// The viewer's handle on the shared diagnostic ring.

#include <cstdint>

namespace corvane::logview {

class SharedRing {
  public:
    // Opens the ring, creating it (zero-filled) when no process holds it.
    SharedRing();
    ~SharedRing();
    SharedRing(const SharedRing&) = delete;
    SharedRing& operator=(const SharedRing&) = delete;

    uint8_t* view() const { return view_; }  // null when opening failed
    bool created() const { return created_; }
    uint32_t error() const { return error_; }  // the failed call's GetLastError

    // Sets the prefix switches, then the enabled byte, so writers never see logging on with
    // the old prefixes.
    void SwitchOn(bool datePrefix, bool timePrefix);

  private:
    void* mapping_ = nullptr;
    uint8_t* view_ = nullptr;
    bool created_ = false;
    uint32_t error_ = 0;
};

}  // namespace corvane::logview

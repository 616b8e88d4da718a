#include "tools/logview/shared_ring.h"

#include <windows.h>

#include "common/log_ring.h"

namespace corvane::logview {

namespace ring = corvane::log_ring;

SharedRing::SharedRing() {
    mapping_ = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, ring::kSize,
                                    ring::kName);
    if (mapping_ == nullptr) {
        error_ = ::GetLastError();
        return;
    }
    created_ = ::GetLastError() != ERROR_ALREADY_EXISTS;
    view_ = static_cast<uint8_t*>(::MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (view_ == nullptr) {
        error_ = ::GetLastError();
        return;
    }
    // Another program may have made a ring of this name smaller than ours: reading it whole
    // would run past the view.
    MEMORY_BASIC_INFORMATION region{};
    if (::VirtualQuery(view_, &region, sizeof region) == 0 || region.RegionSize < ring::kSize) {
        error_ = ERROR_INVALID_DATA;
        ::UnmapViewOfFile(view_);
        view_ = nullptr;
    }
}

SharedRing::~SharedRing() {
    if (view_ != nullptr) {
        ::UnmapViewOfFile(view_);
    }
    if (mapping_ != nullptr) {
        ::CloseHandle(mapping_);
    }
}

void SharedRing::SwitchOn(bool datePrefix, bool timePrefix) {
    volatile uint8_t* header = view_;
    header[ring::kDatePrefixOffset] = datePrefix ? 1 : 0;
    header[ring::kTimePrefixOffset] = timePrefix ? 1 : 0;
    header[ring::kEnabledOffset] = 1;
}

}  // namespace corvane::logview

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

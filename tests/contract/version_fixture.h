#pragma once
// The version resource of the fixture file; version_fixture.rc carries the same values.

#include <cstdint>

namespace contract::version_fixture {

inline constexpr uint32_t kVersionMS = 0x00050001;  // 5.1
inline constexpr uint32_t kVersionLS = 0x0A280884;  // 2600.2180
inline constexpr uint16_t kLanguage = 0x0409;
inline constexpr uint16_t kCodePage = 0x04B0;
inline constexpr char16_t kFileDescription[] = u"Corvane contract fixture";

}  // namespace contract::version_fixture

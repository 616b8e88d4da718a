#pragma once
// System tools shared by both programs: the Windows 2000 rollup test.

#include <cstdint>

namespace corvane {

class CPellora2Tools {
  public:
    // The product version of a system file; both words are 0 when it cannot be read.
    static bool GetFileVersion(const char16_t* fileName, uint32_t& ms, uint32_t& ls);
    // Service Pack 4 with Update Rollup 1, decided from Advapi32.dll and Seclogon.dll.
    static bool IsW2kSP4RU1();
};

}  // namespace corvane

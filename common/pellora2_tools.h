#pragma once
// System tools shared by both programs: the Windows 2000 rollup test; the check program
// also switches network adapters.

#include <cstdint>

namespace corvane {

class CPellora2Tools {
  public:
    // The product version of a system file; both words are 0 when it cannot be read.
    static bool GetFileVersion(const char16_t* fileName, uint32_t& ms, uint32_t& ls);
    // Service Pack 4 with Update Rollup 1, decided from Advapi32.dll and Seclogon.dll.
    static bool IsW2kSP4RU1();
    // Disables or enables every present network device whose NetCfgInstanceID is
    // `netCfgInstanceId` (case does not matter). 1 when the Net class could be listed, else 0.
    static int EnableAdapter(int enable, const char16_t* netCfgInstanceId);
};

}  // namespace corvane

#pragma once
// The clean-up entry's key: HKEY_CURRENT_USER's RunOnce.

#include "platform/registry.h"

namespace corvane {

class CRegistry {
  public:
    CRegistry(platform::RegistryKey root, const char* subKey) : m_hRoot(root), m_szSubKey(subKey) {}

    // Writes "CorvaneInstDelete" as REG_SZ, creating the key as needed. 1 on success; 0 with
    // the registry's error as the last error.
    int SetRegValueSZ(const char* text);

  private:
    platform::RegistryKey m_hRoot;
    const char* m_szSubKey;
};

}  // namespace corvane

#pragma once
// The processes that run, as Toolhelp listed them at one moment: copies of their ids and
// executable names, kept for one group of process operations.

#include <cstdint>
#include <vector>

#include "platform/process.h"

namespace corvane {

class ProcessSnapshot {
  public:
    // An empty list when no snapshot can be taken.
    void Take();
    void Free() { m_entries.clear(); }

    // The listed processes of that executable name (case does not matter), in list order.
    std::vector<uint32_t> ProcessesNamed(const char16_t* executable) const;

  private:
    std::vector<platform::ProcessEntry> m_entries;
};

}  // namespace corvane

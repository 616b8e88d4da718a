#include "checker/checks/process_snapshot.h"

#include "common/text.h"
#include "common/unique_handle.h"

namespace corvane {

void ProcessSnapshot::Take() {
    Free();
    UniqueHandle snapshot(platform::CreateToolhelp32Snapshot(platform::kSnapProcess, 0));
    if (!snapshot) {
        return;
    }
    platform::ProcessEntry entry{};
    for (bool more = platform::Process32FirstW(snapshot.Get(), &entry); more;
         more = platform::Process32NextW(snapshot.Get(), &entry)) {
        entry.szExeFile[platform::kMaxPath - 1] = u'\0';
        m_entries.push_back(entry);
    }
}

std::vector<uint32_t> ProcessSnapshot::ProcessesNamed(const char16_t* executable) const {
    std::vector<uint32_t> ids;
    for (const platform::ProcessEntry& entry : m_entries) {
        if (EqualsIgnoringCase(entry.szExeFile, executable)) {
            ids.push_back(entry.th32ProcessID);
        }
    }
    return ids;
}

}  // namespace corvane

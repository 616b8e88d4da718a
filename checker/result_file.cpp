#include "checker/result_file.h"

#include <cstdio>
#include <string>

#include "checker/checks/check_items.h"
#include "checker/desktop_path.h"
#include "checker/halvex_app.h"
#include "common/debug_log.h"
#include "common/text.h"
#include "common/unique_handle.h"
#include "platform/file.h"
#include "platform/kernel.h"

namespace corvane {

namespace {

// A text as GetText leaves a fresh string: empty when the id is undefined.
std::u16string Text(const CMessageTable& messages, int id) {
    std::u16string text;
    messages.GetText(id, text);
    return text;
}

std::u16string FileName() {
    platform::SystemTime now{};
    platform::GetLocalTime(&now);
    char stamp[32] = {};
    std::snprintf(stamp, sizeof stamp, "%04u%02u%02u%02u%02u%02u", unsigned{now.wYear},
                  unsigned{now.wMonth}, unsigned{now.wDay}, unsigned{now.wHour},
                  unsigned{now.wMinute}, unsigned{now.wSecond});
    std::u16string name = u"CheckInfo";
    for (const char* c = stamp; *c != '\0'; ++c) {
        name.push_back(static_cast<char16_t>(*c));
    }
    return name + u".log";
}

UniqueHandle CreateIn(const std::u16string& folder, const std::u16string& fileName) {
    std::u16string path = folder + u"\\" + fileName;
    DebugLog("VORTAU OutPutResultLog LogFilePath:%s\r\n", ToAnsi(path).c_str());
    return UniqueHandle(platform::CreateFileW(path.c_str()));
}

UniqueHandle CreateResultFile(CHalvexApp& app, const std::u16string& fileName) {
    std::u16string& folder = app.m_strFolderOption;
    if (!folder.empty()) {
        DebugLog("VORTAU OutPutResultLog OptionPath:%s\r\n", ToAnsi(folder).c_str());
        while (!folder.empty() && folder.back() == u'\\') {
            folder.pop_back();
        }
        if (UniqueHandle file = CreateIn(folder, fileName)) {
            return file;
        }
        DebugLog("VORTAU OutPutResultLog CreateFile Error!!\r\n");
    }
    // GetDeskTopPath leaves the option empty when it fails.
    if (app.m_strDesktopOption.empty()) {
        GetDeskTopPath(app.m_strDesktopOption);
    }
    UniqueHandle file;
    if (!app.m_strDesktopOption.empty()) {
        folder = app.m_strDesktopOption;
        file = CreateIn(folder, fileName);
    }
    if (!file) {
        DebugLog("VORTAU OutPutResultLog CreateFile Error!!\r\n");
    }
    return file;
}

// One block in one write, as UTF-16LE.
bool WriteBlock(platform::Handle file, const std::u16string& block) {
    std::string bytes;
    for (char16_t c : block) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    uint32_t size = static_cast<uint32_t>(bytes.size());
    uint32_t written = 0;
    return platform::WriteFile(file, bytes.data(), size, &written) && written == size;
}

std::u16string ItemBlock(const CHalvexApp& app, int item) {
    const CMessageTable& messages = app.m_messages;
    std::u16string block = static_cast<char16_t>(u'1' + item) + std::u16string(u".") +
                           Text(messages, kCheckItems[item].labelText) + u"\r\n";
    switch (OutcomeOf(app, item)) {
        case ItemOutcome::Pass:
            block += u"  " + Text(messages, 13) + u"\r\n";
            break;
        case ItemOutcome::Fail:
            block += u"  " + Text(messages, 14) + u"\r\n\r\n" +
                     Text(messages, kCheckItems[item].failureText) + u"\r\n";
            break;
        case ItemOutcome::NotRun:
            block += u"  ---\r\n";
            break;
    }
    return block + u"\r\n";
}

void WriteResults(platform::Handle file, const CHalvexApp& app) {
    bool written = WriteBlock(file, u"\uFEFF");
    for (int item = 0; item < 4 && written; ++item) {
        written = WriteBlock(file, ItemBlock(app, item));
    }
    constexpr int kCancelled = 5;
    if (written && app.m_nWlanStatus != kCancelled) {
        written = WriteBlock(file, u"\r\n" + Text(app.m_messages, 22) + u"\r\n\r\n" +
                                       Text(app.m_messages, AnyItemFailed(app) ? 24 : 23));
    }
    if (!written) {
        DebugLog("VORTAU OutPutResultLog Write Error!!\r\n");
    }
}

}  // namespace

bool OutPutResultLog(CHalvexApp& app) {
    std::u16string fileName = FileName();
    DebugLog("VORTAU OutPutResultLog FileName:%s\r\n", ToAnsi(fileName).c_str());
    UniqueHandle file = CreateResultFile(app, fileName);
    if (!file) {
        return false;
    }
    WriteResults(file.Get(), app);
    return true;
}

}  // namespace corvane

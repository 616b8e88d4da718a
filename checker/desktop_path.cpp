#include "checker/desktop_path.h"

#include "common/debug_log.h"
#include "common/text.h"
#include "common/unique_handle.h"
#include "platform/shell.h"

namespace corvane {

bool GetDeskTopPath(std::u16string& path) {
    platform::ItemList items = nullptr;
    if (!platform::SHGetSpecialFolderLocation(platform::kCsidlDesktopDirectory, &items)) {
        UniqueItemList failed(items);
        return false;
    }
    char16_t buffer[platform::kMaxPath] = {};
    {
        UniqueItemList owned(items);
        platform::SHGetPathFromIDListW(owned.Get(), buffer);
    }
    std::u16string desktop = buffer;
    while (!desktop.empty() && desktop.back() == u'\\') {
        desktop.pop_back();
    }
    path = desktop;
    DebugLog("VORTAU GetDeskTopPath DeskTopPath:%s\r\n", ToAnsi(path).c_str());
    return true;
}

}  // namespace corvane

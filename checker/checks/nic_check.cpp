#include "checker/checks/nic_check.h"

#include <cstring>
#include <string>
#include <vector>

#include "checker/dialogs/select_nic_dialog.h"
#include "checker/halvex_app.h"
#include "common/debug_log.h"
#include "common/text.h"

namespace corvane {

namespace {

std::u16string Description(const AdapterRecord& record) {
    return FromAnsi(
        std::string(record.description, strnlen(record.description, sizeof record.description)));
}

bool Choose(CHalvexApp& app, int index) {
    app.m_nSelectedAdapter = index;
    app.m_manager.SelectAdapter(index);
    app.m_nAdapterStatus = 1;
    return true;
}

bool Fail(CHalvexApp& app) {
    app.m_bPrecheckFailed = true;
    return false;
}

}  // namespace

bool CheckNicAdapter(CHalvexApp& app, platform::Window owner) {
    if (app.m_bPrecheckFailed) {
        return false;
    }
    int count = app.m_manager.EnumerateAdapters();
    app.m_nAdapterStatus = 0;
    DebugLog("VORTAU CheckNicAdapter Enumeration Adapter\r\n");
    std::vector<std::u16string> names;
    int first = -1;
    for (int i = 0; i < count && i < static_cast<int>(app.m_manager.m_adapterList.size()); ++i) {
        const AdapterRecord* record = app.m_manager.m_adapterList[i].get();
        if (record == nullptr || !record->isWireless) {
            continue;
        }
        DebugLog("VORTAU CheckNicAdapter Description:%.*s\r\n",
                 static_cast<int>(sizeof record->description), record->description);
        names.push_back(Description(*record));
        if (first < 0) {
            first = i;
        }
    }
    if (names.empty()) {
        DebugLog("VORTAU CheckNicAdapter WlanNIC Nothing!!\r\n");
        return Fail(app);
    }
    app.m_nSelectedAdapter = first;
    if (names.size() == 1) {
        DebugLog("VORTAU CheckNicAdapter Selected Adapter:%s\r\n", ToAnsi(names[0]).c_str());
        return Choose(app, first);
    }

    DebugLog("VORTAU CheckNicAdapter Show Select Dialog\r\n");
    CDialogSelectNic dialog(app.m_messages);
    dialog.m_pAdapterNames = &names;
    dialog.DoModal(owner);
    int position = dialog.m_nSelected >= 0 && dialog.m_nSelected < static_cast<int>(names.size())
                       ? dialog.m_nSelected
                       : 0;
    const std::u16string chosen = names[position];
    DebugLog("VORTAU CheckNicAdapter Selected Adapter:%s\r\n", ToAnsi(chosen).c_str());
    DebugLog("VORTAU CheckNicAdapter Check Select Nic\r\n");
    // The list may have changed while the user chose: the adapter is found again by its name.
    count = app.m_manager.EnumerateAdapters();
    for (int j = 0; j < count && j < static_cast<int>(app.m_manager.m_adapterList.size()); ++j) {
        const AdapterRecord* record = app.m_manager.m_adapterList[j].get();
        if (record != nullptr && record->isWireless && Description(*record) == chosen) {
            DebugLog("VORTAU CheckNicAdapter Select Nic OK\r\n");
            return Choose(app, j);
        }
    }
    DebugLog("VORTAU CheckNicAdapter Select Nic NG!!\r\n");
    return Fail(app);
}

}  // namespace corvane

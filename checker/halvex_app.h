#pragma once
// VORTAU's application object: start-up, and the shared state of one check run.

#include <cstdint>
#include <string>

#include "checker/checks/process_control.h"
#include "checker/message_table.h"
#include "common/unique_handle.h"
#include "wlan/projector_manager.h"

namespace corvane {

class CHalvexApp {
  public:
    // The whole program: options, single instance, texts, dialogs, checks 1 and 2, and the
    // inspection dialog that runs the rest.
    // Always false, so that no message loop of the application's own runs.
    bool InitInstance();

    // Checks 1 and 2 (checks/precondition_checks.cpp).
    bool CheckOSSupport();
    bool CheckAdmin(bool adminStart);

    // Starts this program again with "runas", /ADMIN and /DESKTOP=.
    bool RelaunchElevated();

    UniqueHandle m_hMutex;
    int m_nOSStatus = 3;  // 0 not supported, 1 Windows 2000 without the rollup, 2 pass, 3 not run
    int m_nAdminStatus = 2;    // 0 fail, 1 pass, 2 not run
    int m_nAdapterStatus = 2;  // 0 fail, 1 pass, 2 not run
    int m_nWlanStatus = 6;     // 0-3 fail, 4 pass, 5 cancelled, 6 not run
    bool m_bNeedElevation = false;
    bool m_bPrecheckFailed = false;
    std::u16string m_strFolderOption;
    std::u16string m_strDesktopOption;
    int m_nSelectedAdapter = 0;
    CMessageTable m_messages;
    CProjectorManager m_manager;
    // What closing the vendor utilities before the switching test leaves for bringing them back.
    UtilityControlContext m_utilityControl;

  private:
    bool CheckMutex(bool adminStart);
};

}  // namespace corvane

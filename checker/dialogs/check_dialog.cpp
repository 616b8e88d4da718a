#include "checker/dialogs/check_dialog.h"

#include "checker/checks/check_items.h"
#include "checker/checks/check_runner.h"
#include "checker/checks/nic_check.h"
#include "checker/halvex_app.h"
#include "checker/result_file.h"
#include "common/debug_log.h"
#include "platform/thread.h"
#include "resources/resource_ids.h"

namespace corvane {

namespace {

constexpr uintptr_t kBlinkTimerId = 1001;
constexpr uint32_t kBlinkPeriodMs = 500;
constexpr const char16_t* kDash = u" --- ";

}  // namespace

CDialogInspect::CDialogInspect(CHalvexApp& app)
    : CDialog(kDialogInspect), m_app(app), m_hIcon(platform::LoadIconW(kIconCorvane)) {}

void CDialogInspect::OnInitDialog() {
    platform::SendMessageW(m_hWnd, platform::kWmSetIcon, platform::kIconBig,
                           reinterpret_cast<intptr_t>(m_hIcon));
    platform::SendMessageW(m_hWnd, platform::kWmSetIcon, platform::kIconSmall,
                           reinterpret_cast<intptr_t>(m_hIcon));
    platform::SetWindowTextW(m_hWnd, u"Corvane V1.00");
    const CMessageTable& messages = m_app.m_messages;
    for (int item = 0; item < 4; ++item) {
        std::u16string label;
        if (messages.GetText(kCheckItems[item].labelText, label)) {
            SetItemText(kIdItemLabels[item],
                        static_cast<char16_t>(u'1' + item) + std::u16string(u".") + label);
        }
    }
    std::u16string text;
    if (messages.GetText(6, text)) {
        platform::SetWindowTextW(Button(), text.c_str());
    }
    messages.GetText(13, m_strPass);
    messages.GetText(14, m_strFail);
    messages.GetText(15, m_strRunning);
    for (int state : kIdItemStates) {
        SetItemText(state, u"");
    }
    platform::Font font = messages.GetNormalFont();
    SetFont(font);
    for (int item = 0; item < 4; ++item) {
        SetItemFont(kIdItemLabels[item], font);
        SetItemFont(kIdItemStates[item], font);
        SetItemFont(kIdItemExplanations[item], font);
    }
    SetItemFont(kIdVerdict, font);
    SetItemFont(static_cast<int>(platform::kIdOk), font);
    m_nTimer = platform::SetTimer(m_hWnd, kBlinkTimerId, kBlinkPeriodMs);
    m_hThread.Reset(platform::CreateThread(CheckThreadEntry, this));
    if (!m_hThread) {
        // Nothing will run and nothing will finish: the button must still close the dialog.
        DebugLog("VORTAU CDialogInspect CreateThread Error!!\r\n");
        m_bNoWorker = true;
    }
    // Come to the front even when another program holds the foreground.
    uint32_t lockTimeout = platform::GetForegroundLockTimeout();
    platform::SetForegroundLockTimeout(0);
    platform::SetForegroundWindow(m_hWnd);
    platform::SetForegroundLockTimeout(lockTimeout);
}

bool CDialogInspect::UpdateItem(int index) {
    m_nCurrentItem = index;
    platform::Font font = m_app.m_messages.GetNormalFont();
    for (int item = 0; item < 4; ++item) {
        for (int id : {kIdItemLabels[item], kIdItemStates[item]}) {
            SetItemFont(id, font);
            platform::ShowWindow(Item(id), platform::kSwShow);
        }
    }
    RefreshTexts();
    platform::UpdateWindow(m_hWnd);
    return true;
}

void CDialogInspect::RefreshTexts() {
    const CMessageTable& messages = m_app.m_messages;
    auto text = [&](int id) {
        std::u16string value;
        messages.GetText(id, value);
        return value;
    };
    int current = m_nCurrentItem;
    bool pass = true;
    auto running = [&](int item) {
        SetItemText(kIdItemStates[item], m_strRunning);
        SetItemFont(kIdItemLabels[item], messages.GetBoldFont());
        SetItemFont(kIdItemStates[item], messages.GetBoldFont());
    };
    auto failed = [&](int item, int textId) {
        SetItemText(kIdItemExplanations[item], text(textId));
        SetItemText(kIdItemStates[item], m_strFail);
        pass = false;
        m_bFinished = true;
    };
    auto notRun = [&](int item) {
        if (current == item) {
            running(item);
        } else {
            SetItemText(kIdItemStates[item], current == kRunEnded ? kDash : u"");
        }
    };

    for (int item = 0; item < 4; ++item) {
        // Item 2 runs during the elevation attempt, whatever its status says.
        if (item == 1 && current == 1) {
            running(item);
            continue;
        }
        switch (OutcomeOf(m_app, item)) {
            case ItemOutcome::Fail:
                failed(item, kCheckItems[item].failureText);
                break;
            case ItemOutcome::Pass:
                SetItemText(kIdItemStates[item], m_strPass);
                if (item == 3) {
                    m_bFinished = true;  // item 4 passing is the end of the checks
                }
                break;
            case ItemOutcome::NotRun:
                notRun(item);
                break;
        }
    }

    if (!m_bFinished) {
        SetItemText(kIdVerdict, text(21));
        return;
    }
    SetItemText(kIdVerdict, text(22) + u"\r\n\r\n" + text(pass ? 23 : 24));
    std::u16string close;
    if (messages.GetText(12, close)) {
        platform::SetWindowTextW(Button(), close.c_str());
    }
}

bool CDialogInspect::OnCommand(int id) {
    if (id == platform::kIdOk || id == platform::kIdCancel) {
        CheckCancel();
        return true;
    }
    return false;
}

void CDialogInspect::CheckCancel() {
    if (!platform::IsWindowEnabled(Button())) {
        return;
    }
    if (m_bNoWorker) {
        platform::EndDialog(m_hWnd, platform::kIdCancel);
        return;
    }
    if (!m_bFinished) {
        m_bCancelRequested = true;
        DebugLog("VORTAU CheckCancel Cancel!! \r\n");
        m_app.m_manager.m_bCancel = true;
        return;
    }
    // The worker may still be putting the PC back: the dialog closes once it has ended.
    if (!m_bWorkerEnded) {
        m_bCloseRequested = true;
        return;
    }
    platform::EndDialog(m_hWnd, platform::kIdCancel);
}

bool CDialogInspect::OnOtherMessage(uint32_t message, uintptr_t wParam, intptr_t) {
    switch (message) {
        case platform::kWmTimer:
            if (wParam != kBlinkTimerId) {
                return false;
            }
            OnBlinkTimer();
            return true;
        case WM_CHECK_NIC:
            DebugLog("VORTAU CheckThreadProc CheckNicAdapter()\r\n");
            CheckNicAdapter(App(), m_hWnd);
            return true;
        case WM_CHECK_FINISHED:
            OnCheckFinished();
            return true;
        default:
            return false;
    }
}

void CDialogInspect::OnBlinkTimer() {
    m_bBlinkPhase = !m_bBlinkPhase;
    int current = m_nCurrentItem;
    if (current >= 0 && current <= 3) {
        platform::ShowWindow(Item(kIdItemStates[current]),
                             m_bBlinkPhase ? platform::kSwShow : platform::kSwHide);
    }
}

void CDialogInspect::OnCheckFinished() {
    // The program must not end under a worker that still holds the manager and the log: its
    // message is its last act on the dialog, and its end follows at once.
    platform::WaitForSingleObject(m_hThread.Get(), platform::kInfinite);
    m_hThread.Reset();
    m_bFinished = true;
    m_bWorkerEnded = true;
    if (m_nTimer != 0) {
        platform::KillTimer(m_hWnd, m_nTimer);
        m_nTimer = 0;
    }
    // An elevated instance has taken over and writes the result.
    if (m_app.m_bNeedElevation) {
        platform::EndDialog(m_hWnd, platform::kIdCancel);
        return;
    }
    if (m_bCancelRequested) {
        m_app.m_nWlanStatus = 5;
    }
    OutPutResultLog(m_app);
    if (m_bCancelRequested || m_bCloseRequested) {
        platform::EndDialog(m_hWnd, platform::kIdCancel);
        return;
    }
    UpdateItem(kRunEnded);
}

}  // namespace corvane

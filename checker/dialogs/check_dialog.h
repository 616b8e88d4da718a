#pragma once
// The inspection dialog, in which the user watches the check: four items, the verdict and
// one button, Cancel while the checks run and Close once the verdict is known.

#include <atomic>
#include <string>

#include "checker/dialogs/dialog.h"
#include "common/unique_handle.h"

namespace corvane {

class CHalvexApp;

constexpr uint32_t WM_CHECK_FINISHED = platform::kWmApp + 1;
constexpr uint32_t WM_CHECK_NIC = platform::kWmApp + 2;

class CDialogInspect : public CDialog {
  public:
    // Current item values beyond the four items.
    static constexpr int kRunEnded = 4;
    static constexpr int kNoneRunning = 5;

    explicit CDialogInspect(CHalvexApp& app);

    // Makes item `index` current and refreshes every text; the worker calls it too.
    bool UpdateItem(int index);
    void RefreshTexts();

    CHalvexApp& App() const { return m_app; }
    platform::Window Button() const { return Item(static_cast<int>(platform::kIdOk)); }
    platform::Window Window() const { return m_hWnd; }
    bool IsCancelRequested() const { return m_bCancelRequested; }

  protected:
    void OnInitDialog() override;
    bool OnCommand(int id) override;
    bool OnOtherMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

  private:
    void CheckCancel();
    void OnBlinkTimer();
    void OnCheckFinished();

    CHalvexApp& m_app;
    std::u16string m_strPass;
    std::u16string m_strFail;
    std::u16string m_strRunning;
    UniqueHandle m_hThread;
    std::atomic<bool> m_bFinished = false;     // the verdict is known
    std::atomic<bool> m_bWorkerEnded = false;  // WM_CHECK_FINISHED has come
    std::atomic<bool> m_bCancelRequested = false;
    bool m_bCloseRequested = false;
    bool m_bNoWorker = false;  // the worker thread could not be made
    bool m_bBlinkPhase = false;
    uintptr_t m_nTimer = 0;
    std::atomic<int> m_nCurrentItem = kNoneRunning;
    platform::Icon m_hIcon;
};

}  // namespace corvane

#pragma once
// The adapter selection dialog: the user picks the wireless adapter the check uses. It can
// only be left with OK, and the first adapter is preselected, so a choice is always made.

#include <string>
#include <vector>

#include "checker/dialogs/dialog.h"

namespace corvane {

class CMessageTable;

class CDialogSelectNic : public CDialog {
  public:
    explicit CDialogSelectNic(const CMessageTable& messages);

    bool PreTranslateMessage(const platform::Message& message) override {
        return IsEscapeOrClose(message);
    }

    // The descriptions to list, the caller's; set before the dialog is shown.
    const std::vector<std::u16string>* m_pAdapterNames = nullptr;
    // The chosen position in that list, once OK was pressed.
    int m_nSelected = 0;

  protected:
    void OnInitDialog() override;
    bool OnCommand(int id) override;
    bool OnOtherMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

  private:
    const CMessageTable& m_messages;
};

}  // namespace corvane

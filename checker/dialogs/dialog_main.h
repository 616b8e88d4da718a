#pragma once
// The start dialog: the warning that the network connection drops, Start and Cancel.

#include "checker/dialogs/dialog.h"

namespace corvane {

class CMessageTable;

class CDialogMain : public CDialog {
  public:
    explicit CDialogMain(const CMessageTable& messages);

    bool PreTranslateMessage(const platform::Message& message) override {
        return IsEscapeOrClose(message);
    }

  protected:
    void OnInitDialog() override;
    bool OnCommand(int id) override;

  private:
    const CMessageTable& m_messages;
};

}  // namespace corvane

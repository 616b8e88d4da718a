#pragma once
// A dialog the user answers with one of its two buttons, OK or Cancel. Esc and a posted close
// command are swallowed, so only a button decides.

#include "checker/dialogs/dialog.h"

namespace corvane {

class CMessageTable;

class CAnswerDialog : public CDialog {
  public:
    CAnswerDialog(int templateId, const CMessageTable& messages)
        : CDialog(templateId), m_messages(messages) {}

    bool PreTranslateMessage(const platform::Message& message) override {
        return IsEscapeOrClose(message);
    }

  protected:
    bool OnCommand(int id) override {
        if (id != platform::kIdOk && id != platform::kIdCancel) {
            return false;
        }
        platform::EndDialog(m_hWnd, id);
        return true;
    }

    const CMessageTable& m_messages;
};

}  // namespace corvane

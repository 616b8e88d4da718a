#pragma once
// The terms-of-use agreement: Agree or Disagree.

#include "checker/dialogs/dialog.h"

namespace corvane {

class CMessageTable;

class CDialogProvision : public CDialog {
  public:
    explicit CDialogProvision(const CMessageTable& messages);

    bool PreTranslateMessage(const platform::Message& message) override {
        return IsEscapeOrClose(message);
    }

  protected:
    void OnInitDialog() override;
    bool OnCommand(int id) override;

  private:
    std::u16string LoadAgreement() const;

    const CMessageTable& m_messages;
};

}  // namespace corvane

#pragma once
// The terms-of-use agreement: Agree or Disagree.

#include <string>

#include "checker/dialogs/answer_dialog.h"

namespace corvane {

class CDialogProvision : public CAnswerDialog {
  public:
    explicit CDialogProvision(const CMessageTable& messages);

  protected:
    void OnInitDialog() override;

  private:
    std::u16string LoadAgreement() const;
};

}  // namespace corvane

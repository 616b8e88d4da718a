#pragma once
// The start dialog: the warning that the network connection drops, Start and Cancel.

#include <string>

#include "checker/dialogs/answer_dialog.h"

namespace corvane {

class CDialogMain : public CAnswerDialog {
  public:
    explicit CDialogMain(const CMessageTable& messages);

  protected:
    void OnInitDialog() override;
};

}  // namespace corvane

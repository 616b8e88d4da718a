#pragma once
// The start dialog (template 131): the warning and the Start button.

#include <cstdint>

namespace corvane {

class CDialogMain {
  public:
    static constexpr int kTemplateId = 131;
    intptr_t DoModal();
};

}  // namespace corvane

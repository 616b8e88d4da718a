#pragma once
// The terms-of-use agreement (template 132).

#include <cstdint>

namespace corvane {

class CDialogProvision {
  public:
    static constexpr int kTemplateId = 132;
    intptr_t DoModal();
};

}  // namespace corvane

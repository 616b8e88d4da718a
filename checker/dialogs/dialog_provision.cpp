#include "checker/dialogs/dialog_provision.h"

#include "platform/dialog.h"

namespace corvane {

intptr_t CDialogProvision::DoModal() {
    return platform::DialogBoxParamW(kTemplateId);
}

}  // namespace corvane

#include "checker/dialogs/dialog_main.h"

#include "platform/dialog.h"

namespace corvane {

intptr_t CDialogMain::DoModal() {
    return platform::DialogBoxParamW(kTemplateId);
}

}  // namespace corvane

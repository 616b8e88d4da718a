#include "checker/dialogs/dialog_main.h"

#include "checker/message_table.h"
#include "resources/resource_ids.h"

namespace corvane {

CDialogMain::CDialogMain(const CMessageTable& messages) : CAnswerDialog(kDialogMain, messages) {}

void CDialogMain::OnInitDialog() {
    platform::SetWindowTextW(m_hWnd, u"Corvane");
    platform::Font font = m_messages.GetNormalFont();
    SetFont(font);
    std::u16string warning;
    std::u16string prompt;
    m_messages.GetText(2, warning);
    if (m_messages.GetText(3, prompt)) {
        SetItemText(kIdMainWarning, warning + u"\r\n" + prompt);
        SetItemFont(kIdMainWarning, font);
    }
    // Buttons keep their template texts when the table lacks theirs.
    const struct {
        int textId;
        int controlId;
    } texts[] = {{4, kIdMainDuration},
                 {5, static_cast<int>(platform::kIdOk)},
                 {6, static_cast<int>(platform::kIdCancel)}};
    for (const auto& [textId, controlId] : texts) {
        std::u16string text;
        if (m_messages.GetText(textId, text)) {
            SetItemText(controlId, text);
            SetItemFont(controlId, font);
        }
    }
}

}  // namespace corvane

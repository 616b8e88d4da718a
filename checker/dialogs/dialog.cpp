#include "checker/dialogs/dialog.h"

namespace corvane {

intptr_t CDialog::DoModal(platform::Window owner) {
    return platform::DialogBoxParamW(m_nTemplateId, owner, *this);
}

intptr_t CDialog::OnMessage(platform::Window dialog, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) {
    switch (message) {
        case platform::kWmInitDialog:
            m_hWnd = dialog;
            m_bFocusSet = false;
            OnInitDialog();
            // Zero tells the dialog manager that the focus is set.
            return m_bFocusSet ? 0 : 1;
        case platform::kWmCommand:
            return OnCommand(static_cast<int>(wParam & 0xFFFF)) ? 1 : 0;
        default:
            return OnOtherMessage(message, wParam, lParam) ? 1 : 0;
    }
}

bool CDialog::IsEscapeOrClose(const platform::Message& message) {
    return (message.message == platform::kWmKeyDown && message.wParam == platform::kVkEscape) ||
           (message.message == platform::kWmSysCommand &&
            (message.wParam & 0xFFF0) == platform::kScClose);
}

void CDialog::SetItemText(int id, const std::u16string& text) const {
    platform::SetWindowTextW(Item(id), text.c_str());
}

void CDialog::SetItemFont(int id, platform::Font font) const {
    platform::SendMessageW(Item(id), platform::kWmSetFont, reinterpret_cast<uintptr_t>(font), 1);
}

void CDialog::SetInitialFocus(int id) {
    platform::SetFocus(Item(id));
    m_bFocusSet = true;
}

void CDialog::SetFont(platform::Font font) const {
    platform::SendMessageW(m_hWnd, platform::kWmSetFont, reinterpret_cast<uintptr_t>(font), 1);
}

}  // namespace corvane

#include "checker/dialogs/select_nic_dialog.h"

#include "checker/message_table.h"
#include "resources/resource_ids.h"

namespace corvane {

namespace {

constexpr int kTitleText = 26;
constexpr int kPromptText = 25;
constexpr int kOkText = 27;
constexpr intptr_t kNoSelection = -1;  // LB_ERR

}  // namespace

CDialogSelectNic::CDialogSelectNic(const CMessageTable& messages)
    : CDialog(kDialogSelectNic), m_messages(messages) {}

void CDialogSelectNic::OnInitDialog() {
    platform::Font font = m_messages.GetNormalFont();
    std::u16string text;
    if (m_messages.GetText(kTitleText, text)) {
        platform::SetWindowTextW(m_hWnd, text.c_str());
        SetFont(font);
    }
    if (m_messages.GetText(kPromptText, text)) {
        SetItemText(kIdAdapterPrompt, text);
        SetItemFont(kIdAdapterPrompt, font);
    }
    if (m_messages.GetText(kOkText, text)) {
        SetItemText(static_cast<int>(platform::kIdOk), text);
        SetItemFont(static_cast<int>(platform::kIdOk), font);
    }
    if (m_pAdapterNames == nullptr || m_pAdapterNames->empty()) {
        return;
    }
    platform::Window list = Item(kIdAdapterList);
    for (size_t i = 0; i < m_pAdapterNames->size(); ++i) {
        intptr_t entry =
            platform::SendMessageW(list, platform::kLbAddString, 0,
                                   reinterpret_cast<intptr_t>((*m_pAdapterNames)[i].c_str()));
        platform::SendMessageW(list, platform::kLbSetItemData, static_cast<uintptr_t>(entry),
                               static_cast<intptr_t>(i));
    }
    platform::SendMessageW(list, platform::kLbSetCurSel, 0, 0);
}

bool CDialogSelectNic::OnCommand(int id) {
    if (id == platform::kIdCancel) {
        return true;  // only OK leaves the dialog
    }
    if (id != platform::kIdOk) {
        return false;
    }
    platform::Window list = Item(kIdAdapterList);
    intptr_t entry = platform::SendMessageW(list, platform::kLbGetCurSel, 0, 0);
    if (entry != kNoSelection) {
        m_nSelected = static_cast<int>(platform::SendMessageW(list, platform::kLbGetItemData,
                                                              static_cast<uintptr_t>(entry), 0));
    }
    platform::EndDialog(m_hWnd, platform::kIdOk);
    return true;
}

bool CDialogSelectNic::OnOtherMessage(uint32_t message, uintptr_t wParam, intptr_t) {
    return message == platform::kWmSysCommand && (wParam & 0xFFF0) == platform::kScClose;
}

}  // namespace corvane

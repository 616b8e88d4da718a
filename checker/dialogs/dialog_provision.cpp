#include "checker/dialogs/dialog_provision.h"

#include <cstring>
#include <vector>

#include "checker/message_table.h"
#include "platform/resource.h"
#include "resources/resource_ids.h"

namespace corvane {

CDialogProvision::CDialogProvision(const CMessageTable& messages)
    : CAnswerDialog(kDialogProvision, messages) {}

void CDialogProvision::OnInitDialog() {
    platform::SetWindowTextW(m_hWnd, u"Corvane");
    platform::Font font = m_messages.GetNormalFont();
    SetFont(font);
    std::u16string text;
    if (m_messages.GetText(0, text)) {
        SetItemText(static_cast<int>(platform::kIdOk), text);
        SetItemFont(static_cast<int>(platform::kIdOk), font);
    }
    if (m_messages.GetText(1, text)) {
        SetItemText(static_cast<int>(platform::kIdCancel), text);
        SetItemFont(static_cast<int>(platform::kIdCancel), font);
    }
    SetItemText(kIdAgreementText, LoadAgreement());
    SetItemFont(kIdAgreementText, font);
    // The terms read from their beginning with nothing selected; the focus stays in the text,
    // so that Enter reaches the default button, Disagree.
    SetInitialFocus(kIdAgreementText);
    platform::SendMessageW(Item(kIdAgreementText), platform::kEmSetSel, 0, 0);
}

// The agreement resource is UTF-16 without a terminator; the text ends where it does.
std::u16string CDialogProvision::LoadAgreement() const {
    int id = m_messages.GetLanguage() == u"Japanese" ? kAgreementJapanese : kAgreementEnglish;
    platform::Resource resource = platform::FindResourceW(id, kResourceTypeAgreement);
    const void* bytes =
        resource == nullptr ? nullptr : platform::LockResource(platform::LoadResource(resource));
    if (bytes == nullptr) {
        return {};
    }
    size_t characters = platform::SizeofResource(resource) / 2;
    std::vector<char16_t> buffer(characters + 4, 0);
    std::memcpy(buffer.data(), bytes, characters * 2);
    return std::u16string(buffer.data());
}

}  // namespace corvane

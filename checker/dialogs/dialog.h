#pragma once
// A modal dialog of this program: its template, its window and the messages it handles.

#include <cstdint>
#include <string>

#include "platform/dialog.h"
#include "platform/types.h"

namespace corvane {

class CDialog : public platform::DialogProcedure {
  public:
    explicit CDialog(int templateId) : m_nTemplateId(templateId) {}

    intptr_t DoModal(platform::Window owner = nullptr);

    intptr_t OnMessage(platform::Window dialog, uint32_t message, uintptr_t wParam,
                       intptr_t lParam) override;

  protected:
    virtual void OnInitDialog() = 0;
    // WM_COMMAND of a control or key; true when handled.
    virtual bool OnCommand(int id) = 0;
    // Any other message; true when handled.
    virtual bool OnOtherMessage(uint32_t, uintptr_t, intptr_t) { return false; }

    // Esc and a posted close command: both would otherwise cancel the dialog.
    static bool IsEscapeOrClose(const platform::Message& message);

    platform::Window Item(int id) const { return platform::GetDlgItem(m_hWnd, id); }
    void SetItemText(int id, const std::u16string& text) const;
    void SetItemFont(int id, platform::Font font) const;
    void SetFont(platform::Font font) const;
    // Focuses the control from WM_INITDIALOG, in place of the dialog manager's first tab stop
    // (which, for an edit, would select all of its text).
    void SetInitialFocus(int id);

    platform::Window m_hWnd = nullptr;

  private:
    int m_nTemplateId;
    bool m_bFocusSet = false;
};

}  // namespace corvane

#pragma once
// What the simulator knows of the program's dialog templates: their controls with the texts
// the templates give them, the default button and whether there is a system menu.

#include <vector>

namespace sim {

struct ControlTemplate {
    int id;
    const char16_t* text;
    // An edit: the dialog manager selects all of its text when it gives it the focus.
    bool edit = false;
};

struct DialogTemplate {
    int id;
    const char16_t* caption;
    bool systemMenu;
    int defaultButton;
    std::vector<ControlTemplate> controls;
    // The first control with WS_TABSTOP, which the dialog manager focuses after WM_INITDIALOG
    // unless the dialog procedure set the focus itself.
    int firstTabStop = 0;
};

// Nullptr for a template the program does not have.
const DialogTemplate* FindDialogTemplate(int id);

}  // namespace sim

#pragma once
// What the simulator knows of the program's dialog templates: their controls with the texts
// the templates give them, the default button and whether there is a system menu.

#include <vector>

namespace sim {

struct ControlTemplate {
    int id;
    const char16_t* text;
};

struct DialogTemplate {
    int id;
    const char16_t* caption;
    bool systemMenu;
    int defaultButton;
    std::vector<ControlTemplate> controls;
};

// Nullptr for a template the program does not have.
const DialogTemplate* FindDialogTemplate(int id);

}  // namespace sim

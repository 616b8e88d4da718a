// corvane-select-nic-probe NAME...
// Shows VORTAU's adapter selection dialog listing the given adapter names, with the texts of
// the language file beside the program, read as VORTAU reads it. Once the dialog has ended it
// prints "selected N" and exits with N, the chosen position; 255 when it has no names, no
// language file, or the dialog could not be shown or ended otherwise than with OK.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "checker/dialogs/select_nic_dialog.h"
#include "checker/message_table.h"
#include "platform/dialog.h"

namespace {

constexpr int kFailed = 255;

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: corvane-select-nic-probe NAME...\n", stderr);
        return kFailed;
    }
    std::vector<std::u16string> names;
    for (int i = 1; i < argc; ++i) {
        names.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    }
    // As VORTAU starts, so that the dialog gets the same controls.
    platform::InitCommonControlsEx(0xFF);
    corvane::CMessageTable messages;
    // VORTAU would fall back on its built-in English; a test of the language file must not.
    if (!messages.LoadLocalizedString()) {
        std::fputs("corvane-select-nic-probe: no language.ini beside the program\n", stderr);
        return kFailed;
    }
    corvane::CDialogSelectNic dialog(messages);
    dialog.m_pAdapterNames = &names;
    intptr_t result = dialog.DoModal();
    if (result != platform::kIdOk) {
        std::fprintf(stderr, "corvane-select-nic-probe: the dialog ended with %lld\n",
                     static_cast<long long>(result));
        return kFailed;
    }
    std::printf("selected %d\n", dialog.m_nSelected);
    return dialog.m_nSelected;
}

#include "platform/shell.h"

#include <algorithm>
#include <string>

#include "platform/kernel.h"
#include "platform/sim/code_page.h"
#include "platform/sim/pc.h"

namespace platform {

namespace {

// The shell's result codes for a start that did not happen.
constexpr intptr_t kSeErrAccessDenied = 5;
constexpr intptr_t kSeErrNoAssociation = 31;
constexpr intptr_t kStarted = 42;

constexpr intptr_t kSeErrFileNotFound = 2;

std::u16string Unquoted(std::u16string text) {
    if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

bool EndsWith(const std::u16string& text, const std::u16string& folded) {
    return sim::Pc::FoldPath(text).ends_with(folded);
}

intptr_t StartExecutable(sim::Pc& pc, const std::u16string& file, const std::u16string& arguments) {
    const sim::File* found = pc.FindFile(file);
    if (found == nullptr || found->directory || !EndsWith(file, u".EXE")) {
        SetLastError(kErrorFileNotFound);
        return kSeErrFileNotFound;
    }
    pc.processes().Start(pc.Spelling(file), arguments);
    return kStarted;
}

// The shell opens a program by starting it, a shortcut by starting its target.
intptr_t StartProgram(sim::Pc& pc, const std::u16string& file, const std::u16string& arguments) {
    const sim::File* found = pc.FindFile(file);
    if (found != nullptr && found->shortcut && EndsWith(file, u".LNK")) {
        return StartExecutable(pc, found->shortcut->target, found->shortcut->arguments);
    }
    return StartExecutable(pc, file, arguments);
}

struct SimItemList {
    std::u16string path;
};

std::u16string Text(const char16_t* text) {
    return text == nullptr ? u"" : text;
}

}  // namespace

bool IsUserAnAdmin() {
    return sim::CurrentPc().scenario().administrator;
}

intptr_t ShellExecuteW(Window, const char16_t* verb, const char16_t* file,
                       const char16_t* parameters, const char16_t* directory, int show) {
    sim::Pc& pc = sim::CurrentPc();
    std::u16string verbText = Text(verb);
    if (verbText == u"runas") {
        // The consent prompt is modal: the call returns once the user has answered.
        Sleep(pc.scenario().elevationPromptMs);
        switch (pc.scenario().elevation) {
            case sim::Elevation::Declined:
                SetLastError(kErrorCancelled);
                return kSeErrAccessDenied;
            case sim::Elevation::Impossible:
                SetLastError(1155);  // ERROR_NO_ASSOCIATION
                return kSeErrNoAssociation;
            case sim::Elevation::Accepted:
                break;
        }
        pc.programStarts().push_back(
            {verbText, Text(file), Text(parameters), Text(directory), show, pc.NamedObjects()});
        return kStarted;
    }
    pc.programStarts().push_back(
        {verbText, Text(file), Text(parameters), Text(directory), show, pc.NamedObjects()});
    return StartProgram(pc, Unquoted(Text(file)), Text(parameters));
}

intptr_t ShellExecuteA(Window owner, const char* verb, const char* file, const char* parameters,
                       const char* directory, int show) {
    uint32_t codePage = sim::CurrentPc().scenario().ansiCodePage;
    auto wide = [&](const char* text) {
        return sim::ToUtf16(text == nullptr ? "" : text, codePage);
    };
    std::u16string verbText = wide(verb);
    return ShellExecuteW(owner, verb == nullptr ? nullptr : verbText.c_str(), wide(file).c_str(),
                         wide(parameters).c_str(), wide(directory).c_str(), show);
}

bool SHGetSpecialFolderPathW(int csidl, char16_t* path) {
    const sim::Scenario& scenario = sim::CurrentPc().scenario();
    const std::u16string& folder = csidl == kCsidlStartup         ? scenario.startupPath
                                   : csidl == kCsidlCommonStartup ? scenario.commonStartupPath
                                                                  : std::u16string();
    if (folder.empty() || folder.size() >= static_cast<size_t>(kMaxPath)) {
        return false;
    }
    std::copy(folder.begin(), folder.end(), path);
    path[folder.size()] = 0;
    return true;
}

bool SHGetSpecialFolderLocation(int csidl, ItemList* items) {
    sim::Pc& pc = sim::CurrentPc();
    *items = nullptr;
    if (csidl != kCsidlDesktopDirectory || pc.scenario().desktopPath.empty()) {
        return false;
    }
    *items = new SimItemList{pc.scenario().desktopPath};
    ++pc.openItemLists();
    return true;
}

bool SHGetPathFromIDListW(ItemList items, char16_t* path) {
    const auto* list = static_cast<const SimItemList*>(items);
    if (list == nullptr || list->path.size() >= static_cast<size_t>(kMaxPath)) {
        return false;
    }
    std::copy(list->path.begin(), list->path.end(), path);
    path[list->path.size()] = 0;
    return true;
}

// Frees what the simulated PC handed out: binding path tokens and shell item lists.
void CoTaskMemFree(void* memory) {
    if (memory == nullptr) {
        return;
    }
    sim::Pc& pc = sim::CurrentPc();
    if (pc.network().tokens().erase(memory) != 0) {
        delete[] static_cast<char16_t*>(memory);
        return;
    }
    delete static_cast<SimItemList*>(memory);
    --pc.openItemLists();
}

}  // namespace platform

#include "platform/sim/dialog_host.h"

#include <algorithm>

#include "platform/sim/dialog_templates.h"
#include "platform/sim/scheduler.h"

namespace sim {

namespace {
constexpr uint16_t kButtonClicked = 0;  // BN_CLICKED
}  // namespace

struct DialogHost::Open {
    platform::DialogProcedure* procedure;
    const DialogTemplate* layout;
    int ownerThread;
    Window* self;
    DialogState state;
    std::deque<platform::Message> posted;
    std::deque<std::function<void()>> sent;  // changes from other threads
    struct Timer {
        uint32_t period;
        uint64_t due;
    };
    std::map<uintptr_t, Timer> timers;
    bool ended = false;
};

DialogHost::DialogHost(Scheduler& scheduler, std::vector<UserAction> actions)
    : scheduler_(scheduler), actions_(std::move(actions)) {}

DialogHost::~DialogHost() = default;

DialogHost::Window* DialogHost::Find(platform::Window window) {
    for (auto& candidate : windows_) {
        if (candidate.get() == window && candidate->dialog != nullptr) {
            return candidate.get();
        }
    }
    return nullptr;
}

ControlState* DialogHost::Control(const Window& window) {
    auto found = window.dialog->state.controls.find(window.controlId);
    return found == window.dialog->state.controls.end() ? nullptr : &found->second;
}

void DialogHost::Record(const Window& window, DialogEvent::Kind kind, std::u16string text,
                        intptr_t value) {
    events_.push_back({scheduler_.now(), window.dialog->state.templateId, window.controlId, kind,
                       std::move(text), value});
}

// Changing a window from another thread is a message its own thread handles while the
// caller waits.
void DialogHost::OnOwnerThread(Open& dialog, const std::function<void()>& change) {
    if (scheduler_.CurrentThread() == dialog.ownerThread) {
        change();
        return;
    }
    bool done = false;
    dialog.sent.push_back([&] {
        change();
        done = true;
    });
    scheduler_.Wait([&] { return done; }, std::nullopt);
}

intptr_t DialogHost::Run(int templateId, platform::Window, platform::DialogProcedure& procedure) {
    const DialogTemplate* layout = FindDialogTemplate(templateId);
    if (layout == nullptr) {
        return -1;
    }
    auto dialog = std::make_unique<Open>(Open{&procedure, layout, scheduler_.CurrentThread(),
                                              nullptr, DialogState{.templateId = templateId}});
    Open& open = *dialog;
    open_.push_back(std::move(dialog));
    windows_.push_back(std::make_unique<Window>(Window{&open, 0}));
    open.self = windows_.back().get();
    for (const ControlTemplate& control : layout->controls) {
        open.state.controls[control.id] = ControlState{.text = control.text};
        windows_.push_back(std::make_unique<Window>(Window{&open, control.id}));
    }
    open.state.title = layout->caption;
    open.state.openedAt = scheduler_.now();
    shown_.push_back(templateId);
    Record(*open.self, DialogEvent::Kind::Opened);
    if (procedure.OnMessage(open.self, platform::kWmInitDialog, 0, 0) != 0 &&
        layout->firstTabStop != 0) {
        open.state.focus = layout->firstTabStop;
        auto control = std::find_if(layout->controls.begin(), layout->controls.end(),
                                    [&](const auto& c) { return c.id == layout->firstTabStop; });
        if (control != layout->controls.end() && control->edit) {
            ControlState& edit = open.state.controls[control->id];
            edit.selectionStart = 0;
            edit.selectionEnd = edit.text.size();
        }
    }
    while (!open.ended) {
        scheduler_.Wait([&] { return HasWork(open); }, NextDue(open));
        DoNext(open);
    }
    // Sends still waiting find the window gone, as on Windows; their senders go on.
    while (!open.sent.empty()) {
        auto change = std::move(open.sent.front());
        open.sent.pop_front();
        change();
    }
    open.state.endedAt = scheduler_.now();
    Record(*open.self, DialogEvent::Kind::Ended, {}, open.state.result);
    closed_.push_back(open.state);
    for (auto& window : windows_) {
        if (window->dialog == &open) {
            window->dialog = nullptr;
        }
    }
    intptr_t result = open.state.result;
    open_.erase(std::find_if(open_.begin(), open_.end(),
                             [&](const auto& candidate) { return candidate.get() == &open; }));
    return result;
}

std::optional<size_t> DialogHost::NextAction(const Open& dialog) const {
    for (size_t i = 0; i < actions_.size(); ++i) {
        if (actions_[i].templateId == dialog.state.templateId) {
            return i;
        }
    }
    return std::nullopt;
}

bool DialogHost::HasWork(const Open& dialog) const {
    if (!dialog.sent.empty() || !dialog.posted.empty()) {
        return true;
    }
    std::optional<uint64_t> due = NextDue(dialog);
    return due && *due <= scheduler_.now();
}

std::optional<uint64_t> DialogHost::NextDue(const Open& dialog) const {
    std::optional<uint64_t> next;
    for (const auto& [id, timer] : dialog.timers) {
        next = std::min(next.value_or(timer.due), timer.due);
    }
    // Only the innermost dialog takes the user's input.
    if (std::optional<size_t> action = NextAction(dialog);
        action && actions_[*action].at && open_.back().get() == &dialog) {
        next = std::min<uint64_t>(next.value_or(*actions_[*action].at), *actions_[*action].at);
    }
    return next;
}

bool DialogHost::ActWhenIdle() {
    if (open_.empty()) {
        return false;
    }
    std::optional<size_t> action = NextAction(*open_.back());
    if (!action || actions_[*action].at) {
        return false;
    }
    actions_[*action].at = static_cast<uint32_t>(scheduler_.now());
    return true;
}

void DialogHost::DoNext(Open& dialog) {
    if (!dialog.sent.empty()) {
        auto change = std::move(dialog.sent.front());
        dialog.sent.pop_front();
        change();
        return;
    }
    if (!dialog.posted.empty()) {
        platform::Message message = dialog.posted.front();
        dialog.posted.pop_front();
        if (!dialog.procedure->PreTranslateMessage(message)) {
            Dispatch(dialog, message);
        }
        return;
    }
    for (auto& [id, timer] : dialog.timers) {
        if (timer.due <= scheduler_.now()) {
            timer.due += timer.period;
            dialog.posted.push_back({dialog.self, platform::kWmTimer, id, 0});
            return;
        }
    }
    if (std::optional<size_t> action = NextAction(dialog);
        action && actions_[*action].at && *actions_[*action].at <= scheduler_.now()) {
        UserAction taken = actions_[*action];
        actions_.erase(actions_.begin() + static_cast<std::ptrdiff_t>(*action));
        Act(dialog, taken);
    }
}

void DialogHost::Act(Open& dialog, const UserAction& action) {
    switch (action.kind) {
        case UserAction::Kind::Button:
            Command(dialog, action.button);
            break;
        case UserAction::Kind::Enter:
            dialog.posted.push_back({dialog.self, platform::kWmKeyDown, platform::kVkReturn, 0});
            break;
        case UserAction::Kind::Escape:
            dialog.posted.push_back({dialog.self, platform::kWmKeyDown, platform::kVkEscape, 0});
            break;
        case UserAction::Kind::AltF4:
            dialog.posted.push_back({dialog.self, platform::kWmSysCommand, platform::kScClose, 0});
            break;
        case UserAction::Kind::Select:
            // A click on an entry of the dialog's list box.
            for (auto& [id, control] : dialog.state.controls) {
                if (!control.items.empty() && action.item >= 0 &&
                    static_cast<size_t>(action.item) < control.items.size()) {
                    control.selection = action.item;
                }
            }
            break;
        case UserAction::Kind::CloseBox:
            // The close box sends its command directly, past the message filter.
            if (dialog.layout->systemMenu) {
                Dispatch(dialog, {dialog.self, platform::kWmSysCommand, platform::kScClose, 0});
            }
            break;
    }
}

// A click or the dialog manager's key: the command of an enabled button, or of an id no
// control has (Esc gives IDCANCEL in every dialog).
void DialogHost::Command(Open& dialog, int id) {
    auto control = dialog.state.controls.find(id);
    if (control == dialog.state.controls.end() || control->second.enabled) {
        dialog.procedure->OnMessage(
            dialog.self, platform::kWmCommand,
            static_cast<uintptr_t>(kButtonClicked) << 16 | static_cast<uint16_t>(id), 0);
    }
}

// What the dialog manager and the default procedure do with a message.
void DialogHost::Dispatch(Open& dialog, const platform::Message& message) {
    if (message.message == platform::kWmKeyDown) {
        if (message.wParam == platform::kVkReturn) {
            Command(dialog, dialog.layout->defaultButton);
        } else if (message.wParam == platform::kVkEscape) {
            Command(dialog, static_cast<int>(platform::kIdCancel));
        }
        return;
    }
    intptr_t handled =
        dialog.procedure->OnMessage(dialog.self, message.message, message.wParam, message.lParam);
    if (!handled && message.message == platform::kWmSysCommand &&
        (message.wParam & 0xFFF0) == platform::kScClose) {
        Command(dialog, static_cast<int>(platform::kIdCancel));
    }
}

bool DialogHost::EndDialog(platform::Window dialog, intptr_t result) {
    Window* window = Find(dialog);
    if (window == nullptr) {
        return false;
    }
    window->dialog->ended = true;
    window->dialog->state.result = result;
    return true;
}

platform::Window DialogHost::GetDlgItem(platform::Window dialog, int id) {
    Window* window = Find(dialog);
    if (window == nullptr) {
        return nullptr;
    }
    for (auto& candidate : windows_) {
        if (candidate->dialog == window->dialog && candidate->controlId == id && id != 0) {
            return candidate.get();
        }
    }
    return nullptr;
}

bool DialogHost::SetWindowText(platform::Window handle, const char16_t* text) {
    Window* window = Find(handle);
    if (window == nullptr) {
        return false;
    }
    std::u16string value = text == nullptr ? u"" : text;
    OnOwnerThread(*window->dialog, [&] {
        if (window->controlId == 0) {
            window->dialog->state.title = value;
        } else {
            ControlState* control = Control(*window);
            control->text = value;
            control->selectionStart = control->selectionEnd = 0;
        }
        Record(*window, DialogEvent::Kind::Text, value);
    });
    return true;
}

intptr_t DialogHost::SendMessage(platform::Window handle, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam) {
    Window* window = Find(handle);
    if (window == nullptr) {
        return 0;
    }
    intptr_t result = 0;
    OnOwnerThread(*window->dialog, [&] {
        Open& dialog = *window->dialog;
        ControlState* control = Control(*window);
        switch (message) {
            case platform::kWmSetFont:
                if (control != nullptr) {
                    control->font = reinterpret_cast<platform::Font>(wParam);
                } else {
                    dialog.state.font = reinterpret_cast<platform::Font>(wParam);
                }
                Record(*window, DialogEvent::Kind::Font, {}, static_cast<intptr_t>(wParam));
                return;
            case platform::kWmSetIcon:
                dialog.state.hasIcon = dialog.state.hasIcon || lParam != 0;
                return;
            case platform::kEmSetSel: {
                if (control == nullptr) {
                    return;
                }
                // -1 as the end selects to the end of the text; -1 as the start deselects,
                // leaving the caret where it is.
                size_t length = control->text.size();
                auto position = [&](intptr_t value) {
                    return value < 0 ? length : std::min(static_cast<size_t>(value), length);
                };
                if (static_cast<intptr_t>(wParam) == -1) {
                    control->selectionStart = control->selectionEnd;
                } else {
                    control->selectionStart = position(static_cast<intptr_t>(wParam));
                    control->selectionEnd = position(lParam);
                }
                return;
            }
            case platform::kLbAddString:
                control->items.push_back({reinterpret_cast<const char16_t*>(lParam), 0});
                result = static_cast<intptr_t>(control->items.size() - 1);
                return;
            case platform::kLbSetItemData:
                if (wParam < control->items.size()) {
                    control->items[wParam].second = lParam;
                }
                return;
            case platform::kLbSetCurSel:
                control->selection = wParam < control->items.size() ? static_cast<int>(wParam) : -1;
                result = control->selection;
                return;
            case platform::kLbGetCurSel:
                result = control->selection;
                return;
            case platform::kLbGetItemData:
                result = wParam < control->items.size() ? control->items[wParam].second : -1;
                return;
            default:
                if (control == nullptr) {
                    result = dialog.procedure->OnMessage(dialog.self, message, wParam, lParam);
                }
                return;
        }
    });
    return result;
}

platform::Window DialogHost::SetFocus(platform::Window handle) {
    Window* window = Find(handle);
    if (window == nullptr) {
        return nullptr;
    }
    Open& dialog = *window->dialog;
    platform::Window previous = nullptr;
    OnOwnerThread(dialog, [&] {
        if (dialog.state.focus != 0) {
            previous = GetDlgItem(dialog.self, dialog.state.focus);
        }
        dialog.state.focus = window->controlId;
    });
    return previous;
}

bool DialogHost::PostMessage(platform::Window handle, uint32_t message, uintptr_t wParam,
                             intptr_t lParam) {
    Window* window = Find(handle);
    if (window == nullptr) {
        return false;
    }
    window->dialog->posted.push_back({handle, message, wParam, lParam});
    return true;
}

bool DialogHost::ShowWindow(platform::Window handle, int command) {
    Window* window = Find(handle);
    ControlState* control = window == nullptr ? nullptr : Control(*window);
    if (control == nullptr) {
        return false;
    }
    bool wasVisible = control->visible;
    OnOwnerThread(*window->dialog, [&] {
        control->visible = command != platform::kSwHide;
        if (control->visible != wasVisible) {
            Record(*window, DialogEvent::Kind::Shown, {}, control->visible);
        }
    });
    return wasVisible;
}

bool DialogHost::EnableWindow(platform::Window handle, bool enable) {
    Window* window = Find(handle);
    ControlState* control = window == nullptr ? nullptr : Control(*window);
    if (control == nullptr) {
        return false;
    }
    bool wasDisabled = !control->enabled;
    OnOwnerThread(*window->dialog, [&] {
        control->enabled = enable;
        Record(*window, DialogEvent::Kind::Enabled, {}, enable);
    });
    return wasDisabled;
}

bool DialogHost::IsWindowEnabled(platform::Window handle) {
    Window* window = Find(handle);
    ControlState* control = window == nullptr ? nullptr : Control(*window);
    return control != nullptr && control->enabled;
}

uintptr_t DialogHost::SetTimer(platform::Window handle, uintptr_t id, uint32_t elapse) {
    Window* window = Find(handle);
    if (window == nullptr) {
        return 0;
    }
    window->dialog->timers[id] = {elapse, scheduler_.now() + elapse};
    return id;
}

bool DialogHost::KillTimer(platform::Window handle, uintptr_t id) {
    Window* window = Find(handle);
    return window != nullptr && window->dialog->timers.erase(id) == 1;
}

}  // namespace sim

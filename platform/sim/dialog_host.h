#pragma once
// The simulated PC's dialogs: templates, controls, message queues and timers, driven by the
// user's actions from the scenario. Each dialog belongs to the thread that opened it; another
// thread's changes to it are handed to that thread and waited for, as on Windows.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/sim/scenario.h"
#include "platform/types.h"

namespace sim {

class Scheduler;

struct ControlState {
    std::u16string text;
    platform::Font font = nullptr;
    bool visible = true;
    bool enabled = true;
    std::vector<std::pair<std::u16string, intptr_t>> items;  // a list box's entries and data
    int selection = -1;
    // An edit's selection; the caret stands at its end, and the edit shows the caret's line.
    size_t selectionStart = 0;
    size_t selectionEnd = 0;
};

struct DialogState {
    int templateId = 0;
    std::u16string title;
    platform::Font font = nullptr;
    bool hasIcon = false;
    int focus = 0;  // the control with the keyboard focus, 0 for none
    std::map<int, ControlState> controls;
    intptr_t result = 0;
    uint64_t openedAt = 0;
    uint64_t endedAt = 0;
};

// One change to a dialog, for tests that follow a dialog through time.
struct DialogEvent {
    uint64_t at;
    int templateId;
    int controlId;  // 0: the dialog itself
    enum class Kind { Text, Font, Shown, Enabled, Opened, Ended } kind;
    std::u16string text;
    intptr_t value;
};

class DialogHost {
  public:
    DialogHost(Scheduler& scheduler, std::vector<UserAction> actions);
    ~DialogHost();

    intptr_t Run(int templateId, platform::Window owner, platform::DialogProcedure& procedure);

    bool EndDialog(platform::Window dialog, intptr_t result);
    platform::Window GetDlgItem(platform::Window dialog, int id);
    bool SetWindowText(platform::Window window, const char16_t* text);
    intptr_t SendMessage(platform::Window window, uint32_t message, uintptr_t wParam,
                         intptr_t lParam);
    bool PostMessage(platform::Window window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    platform::Window SetFocus(platform::Window window);
    bool ShowWindow(platform::Window window, int command);
    bool EnableWindow(platform::Window window, bool enable);
    bool IsWindowEnabled(platform::Window window);
    uintptr_t SetTimer(platform::Window window, uintptr_t id, uint32_t elapse);
    bool KillTimer(platform::Window window, uintptr_t id);

    // An action waiting for nothing else to happen becomes due; false when there is none.
    bool ActWhenIdle();

    const std::vector<int>& shown() const { return shown_; }
    const std::vector<DialogState>& closed() const { return closed_; }
    const std::vector<DialogEvent>& events() const { return events_; }

  private:
    struct Open;
    struct Window {
        Open* dialog;
        int controlId;
    };

    Window* Find(platform::Window window);
    ControlState* Control(const Window& window);
    void OnOwnerThread(Open& dialog, const std::function<void()>& change);
    void Record(const Window& window, DialogEvent::Kind kind, std::u16string text = {},
                intptr_t value = 0);
    bool HasWork(const Open& dialog) const;
    std::optional<uint64_t> NextDue(const Open& dialog) const;
    void DoNext(Open& dialog);
    void Act(Open& dialog, const UserAction& action);
    void Dispatch(Open& dialog, const platform::Message& message);
    void Command(Open& dialog, int id);
    std::optional<size_t> NextAction(const Open& dialog) const;

    Scheduler& scheduler_;
    std::vector<UserAction> actions_;
    std::vector<std::unique_ptr<Open>> open_;
    std::vector<std::unique_ptr<Window>> windows_;
    std::vector<int> shown_;
    std::vector<DialogState> closed_;
    std::vector<DialogEvent> events_;
};

}  // namespace sim

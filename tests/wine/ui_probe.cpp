// corvane-ui-probe: looks at and operates the dialogs of another program, the way a user at the
// keyboard and mouse would, for the end-to-end tests under Wine.
//
//   corvane-ui-probe wait DIALOG [TIMEOUT_MS]             until the dialog is shown
//   corvane-ui-probe wait-text DIALOG ID TEXT [TIMEOUT_MS] until control ID reads TEXT
//   corvane-ui-probe dump DIALOG      one line per control: id, class, visible, enabled,
//                                     font weight (-1: none), text; tab-separated, the text
//                                     in UTF-8 with \r \n \t and \\ escaped
//   corvane-ui-probe press DIALOG ID  clicks button ID (refused when it is disabled)
//   corvane-ui-probe key DIALOG escape|enter|down   a key press on the control with the focus
//   corvane-ui-probe list DIALOG ID   one line per entry of list box ID, in list order:
//                                     selected (1 or 0), item data, text (escaped as by dump)
//   corvane-ui-probe font DIALOG ID   the face name of control ID's font
//   corvane-ui-probe edit DIALOG ID   edit ID as the user sees it: the id of the control with
//                                     the focus, the selection's start and end, the first
//                                     line shown; tab-separated
//   corvane-ui-probe close DIALOG     the close command of the window menu, as Alt+F4 sends it
//
// DIALOG is a caption, optionally followed by @ID: then only a dialog with a control ID
// matches (two dialogs may share a caption).
// Everything the probe posts goes through the dialog's own message loop, so the program's
// filter before dispatch sees it. Every command but wait and wait-text first lets the dialog
// handle what was posted (or go): it posts a marker behind it and waits until the hook inside
// the program reports that the loop took the marker.
// Exit status: 0 done, 1 no such dialog, time-out or refused, 2 usage.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "tests/wine/ui_probe_shared.h"

namespace {

constexpr DWORD kDefaultWaitMs = 20000;
constexpr DWORD kSyncTimeoutMs = 10000;
constexpr DWORD kPollMs = 20;
constexpr UINT kSendTimeoutMs = 5000;

struct DialogSpec {
    std::wstring caption;
    int controlId = 0;  // 0: any
};

DialogSpec ParseDialog(const std::wstring& text) {
    DialogSpec spec{text};
    size_t at = text.rfind(L'@');
    if (at != std::wstring::npos && at + 1 < text.size() &&
        text.find_first_not_of(L"0123456789", at + 1) == std::wstring::npos) {
        spec.caption = text.substr(0, at);
        spec.controlId = std::wcstol(text.c_str() + at + 1, nullptr, 10);
    }
    return spec;
}

HWND FindDialog(const DialogSpec& spec) {
    HWND window = nullptr;
    while ((window = ::FindWindowExW(nullptr, window, L"#32770", spec.caption.c_str())) !=
           nullptr) {
        if (::IsWindowVisible(window) &&
            (spec.controlId == 0 || ::GetDlgItem(window, spec.controlId) != nullptr)) {
            return window;
        }
    }
    return nullptr;
}

void Write(const std::string& bytes) {
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
                &written, nullptr);
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                          size, nullptr, nullptr);
    return bytes;
}

std::wstring Escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
            case L'\\':
                out += L"\\\\";
                break;
            case L'\r':
                out += L"\\r";
                break;
            case L'\n':
                out += L"\\n";
                break;
            case L'\t':
                out += L"\\t";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// A control's text as the control itself gives it (an edit keeps its text to itself).
bool GetText(HWND window, std::wstring& text) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               &length)) {
        return false;
    }
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(),
                               reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                               kSendTimeoutMs, &copied)) {
        return false;
    }
    text.assign(buffer.data(), copied);
    return true;
}

// Posts the marker behind everything posted so far and waits until the dialog's message loop
// takes it. True when it did, or when the dialog has gone and `goneCounts`.
bool Sync(HWND dialog, bool goneCounts, ProbeReport* report) {
    DWORD self = ::GetCurrentProcessId();
    wchar_t name[64];
    std::swprintf(name, 64, kProbeReportName, static_cast<unsigned long>(self));
    HANDLE mapping = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          sizeof(ProbeReport), name);
    std::swprintf(name, 64, kProbeDoneName, static_cast<unsigned long>(self));
    HANDLE done = ::CreateEventW(nullptr, FALSE, FALSE, name);

    wchar_t path[MAX_PATH];
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring hookPath(path, length);
    hookPath = hookPath.substr(0, hookPath.find_last_of(L"\\/") + 1) + L"corvane-ui-probe-hook.dll";
    HMODULE hookModule = ::LoadLibraryW(hookPath.c_str());
    auto hookProc = hookModule == nullptr
                        ? nullptr
                        : reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                              ::GetProcAddress(hookModule, "ProbeGetMessageHook")));
    HHOOK hook = hookProc == nullptr
                     ? nullptr
                     : ::SetWindowsHookExW(WH_GETMESSAGE, hookProc, hookModule,
                                           ::GetWindowThreadProcessId(dialog, nullptr));
    bool synced = false;
    if (mapping == nullptr || done == nullptr || hook == nullptr) {
        std::fprintf(stderr, "corvane-ui-probe: cannot hook the dialog (error %lu)\n",
                     ::GetLastError());
    } else if (!::PostMessageW(dialog, ::RegisterWindowMessageW(kProbeMarkerMessage), self, 0)) {
        synced = goneCounts && !::IsWindow(dialog);
    } else {
        DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < kSyncTimeoutMs) {
            if (::WaitForSingleObject(done, kPollMs) == WAIT_OBJECT_0) {
                synced = true;
                break;
            }
            if (!::IsWindow(dialog)) {
                synced = goneCounts;
                break;
            }
        }
        if (synced && report != nullptr) {
            if (void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(ProbeReport))) {
                *report = *static_cast<const ProbeReport*>(view);
                ::UnmapViewOfFile(view);
            }
        }
        if (!synced) {
            std::fputs("corvane-ui-probe: the dialog did not take the marker in time\n", stderr);
        }
    }
    if (hook != nullptr) {
        ::UnhookWindowsHookEx(hook);
    }
    if (done != nullptr) {
        ::CloseHandle(done);
    }
    if (mapping != nullptr) {
        ::CloseHandle(mapping);
    }
    return synced;
}

int Wait(const DialogSpec& spec, DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    while (FindDialog(spec) == nullptr) {
        if (::GetTickCount() - start >= timeoutMs) {
            std::fprintf(stderr, "corvane-ui-probe: no dialog \"%s\" within %lu ms\n",
                         Utf8(spec.caption).c_str(), timeoutMs);
            return 1;
        }
        ::Sleep(kPollMs);
    }
    return 0;
}

int WaitText(const DialogSpec& spec, int id, const std::wstring& wanted, DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    std::wstring text;
    while (true) {
        HWND dialog = FindDialog(spec);
        HWND control = dialog == nullptr ? nullptr : ::GetDlgItem(dialog, id);
        if (control != nullptr && GetText(control, text) && text == wanted) {
            return 0;
        }
        if (::GetTickCount() - start >= timeoutMs) {
            std::fprintf(stderr, "corvane-ui-probe: control %d reads \"%s\", not \"%s\"\n", id,
                         Utf8(Escaped(text)).c_str(), Utf8(Escaped(wanted)).c_str());
            return 1;
        }
        ::Sleep(kPollMs);
    }
}

const ProbeControl* Reported(const ProbeReport& report, int id) {
    for (int i = 0; i < report.count && i < kProbeMaxControls; ++i) {
        if (report.controls[i].id == id) {
            return &report.controls[i];
        }
    }
    return nullptr;
}

int Dump(HWND dialog) {
    ProbeReport report = {};
    if (!Sync(dialog, false, &report)) {
        return 1;
    }
    std::string out;
    for (HWND control = ::GetWindow(dialog, GW_CHILD); control != nullptr;
         control = ::GetWindow(control, GW_HWNDNEXT)) {
        int id = ::GetDlgCtrlID(control);
        wchar_t className[64] = {};
        ::GetClassNameW(control, className, 64);
        std::wstring text;
        GetText(control, text);
        const ProbeControl* reported = Reported(report, id);
        int weight = reported == nullptr ? -1 : reported->weight;
        wchar_t fields[160];
        std::swprintf(fields, 160, L"%d\t%ls\t%d\t%d\t%d\t", id, className,
                      ::IsWindowVisible(control) ? 1 : 0, ::IsWindowEnabled(control) ? 1 : 0,
                      weight);
        out += Utf8(fields + Escaped(text)) + "\n";
    }
    Write(out);
    return 0;
}

bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               &result)) {
        return false;
    }
    answer = static_cast<LRESULT>(result);
    return true;
}

int List(HWND dialog, int id) {
    HWND list = ::GetDlgItem(dialog, id);
    if (list == nullptr) {
        std::fprintf(stderr, "corvane-ui-probe: no control %d\n", id);
        return 1;
    }
    LRESULT count = 0;
    if (!Sync(dialog, false, nullptr) || !Ask(list, LB_GETCOUNT, 0, 0, count) || count < 0) {
        return 1;
    }
    std::string out;
    for (LRESULT entry = 0; entry < count; ++entry) {
        auto index = static_cast<WPARAM>(entry);
        LRESULT selected = 0;
        LRESULT data = 0;
        LRESULT length = 0;
        if (!Ask(list, LB_GETSEL, index, 0, selected) ||
            !Ask(list, LB_GETITEMDATA, index, 0, data) ||
            !Ask(list, LB_GETTEXTLEN, index, 0, length) || length < 0) {
            return 1;
        }
        std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
        LRESULT copied = 0;
        if (!Ask(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data()), copied) ||
            copied < 0) {
            return 1;
        }
        wchar_t fields[64];
        std::swprintf(fields, 64, L"%d\t%lld\t", selected > 0 ? 1 : 0,
                      static_cast<long long>(data));
        out +=
            Utf8(fields + Escaped(std::wstring(buffer.data(), static_cast<size_t>(copied)))) + "\n";
    }
    Write(out);
    return 0;
}

int Font(HWND dialog, int id) {
    ProbeReport report = {};
    if (!Sync(dialog, false, &report)) {
        return 1;
    }
    const ProbeControl* reported = Reported(report, id);
    if (reported == nullptr || reported->weight == -1) {
        std::fprintf(stderr, "corvane-ui-probe: control %d has no font of its own\n", id);
        return 1;
    }
    Write(Utf8(std::wstring(reported->face, ::wcsnlen(reported->face, LF_FACESIZE))) + "\n");
    return 0;
}

int Edit(HWND dialog, int id) {
    HWND edit = ::GetDlgItem(dialog, id);
    if (edit == nullptr || !Sync(dialog, false, nullptr)) {
        std::fprintf(stderr, "corvane-ui-probe: no control %d\n", id);
        return 1;
    }
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    int focus = 0;
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info) &&
        info.hwndFocus != nullptr && ::IsChild(dialog, info.hwndFocus)) {
        focus = ::GetDlgCtrlID(info.hwndFocus);
    }
    // Without pointers EM_GETSEL answers both ends in one value, which crosses processes.
    LRESULT selection = 0;
    LRESULT firstLine = 0;
    if (!Ask(edit, EM_GETSEL, 0, 0, selection) ||
        !Ask(edit, EM_GETFIRSTVISIBLELINE, 0, 0, firstLine)) {
        return 1;
    }
    std::printf("%d\t%u\t%u\t%lld\n", focus, LOWORD(selection), HIWORD(selection),
                static_cast<long long>(firstLine));
    return 0;
}

int Press(HWND dialog, int id) {
    HWND button = ::GetDlgItem(dialog, id);
    if (button == nullptr) {
        std::fprintf(stderr, "corvane-ui-probe: no control %d\n", id);
        return 1;
    }
    // A user cannot click a disabled button.
    if (!::IsWindowEnabled(button)) {
        std::fprintf(stderr, "corvane-ui-probe: control %d is disabled\n", id);
        return 1;
    }
    ::PostMessageW(button, BM_CLICK, 0, 0);
    return Sync(dialog, true, nullptr) ? 0 : 1;
}

// Key-down and key-up as the keyboard would deliver them, to the control with the focus.
int Key(HWND dialog, const std::wstring& name) {
    UINT key = 0;
    LPARAM down = 1;
    if (name == L"escape") {
        key = VK_ESCAPE;
        down |= 0x01 << 16;
    } else if (name == L"enter") {
        key = VK_RETURN;
        down |= 0x1C << 16;
    } else if (name == L"down") {
        // The arrow of the cursor block: an extended key.
        key = VK_DOWN;
        down |= (0x50 << 16) | (1 << 24);
    } else {
        std::fputs("corvane-ui-probe: the key is escape, enter or down\n", stderr);
        return 2;
    }
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    HWND target = dialog;
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info) &&
        info.hwndFocus != nullptr &&
        (info.hwndFocus == dialog || ::IsChild(dialog, info.hwndFocus))) {
        target = info.hwndFocus;
    }
    ::PostMessageW(target, WM_KEYDOWN, key, down);
    ::PostMessageW(target, WM_KEYUP, key, down | (1L << 30) | static_cast<LPARAM>(1UL << 31));
    return Sync(dialog, true, nullptr) ? 0 : 1;
}

int Close(HWND dialog) {
    ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    return Sync(dialog, true, nullptr) ? 0 : 1;
}

DWORD Timeout(int argc, wchar_t** argv, int index) {
    return argc > index ? static_cast<DWORD>(std::wcstoul(argv[index], nullptr, 10))
                        : kDefaultWaitMs;
}

int Usage() {
    std::fputs(
        "usage: corvane-ui-probe wait DIALOG [TIMEOUT_MS]\n"
        "       corvane-ui-probe wait-text DIALOG ID TEXT [TIMEOUT_MS]\n"
        "       corvane-ui-probe dump|close DIALOG\n"
        "       corvane-ui-probe press DIALOG ID\n"
        "       corvane-ui-probe key DIALOG escape|enter|down\n"
        "       corvane-ui-probe list|font|edit DIALOG ID\n"
        "DIALOG: a caption, optionally followed by @ID of a control it must have\n",
        stderr);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        return Usage();
    }
    std::wstring command = argv[1];
    DialogSpec spec = ParseDialog(argv[2]);
    if (command == L"wait") {
        return Wait(spec, Timeout(argc, argv, 3));
    }
    if (command == L"wait-text") {
        return argc < 5 ? Usage()
                        : WaitText(spec, std::wcstol(argv[3], nullptr, 10), argv[4],
                                   Timeout(argc, argv, 5));
    }
    HWND dialog = FindDialog(spec);
    if (dialog == nullptr) {
        std::fprintf(stderr, "corvane-ui-probe: no dialog \"%s\"\n", Utf8(spec.caption).c_str());
        return 1;
    }
    if (command == L"dump") {
        return Dump(dialog);
    }
    if (command == L"press" && argc == 4) {
        return Press(dialog, std::wcstol(argv[3], nullptr, 10));
    }
    if (command == L"key" && argc == 4) {
        return Key(dialog, argv[3]);
    }
    if (command == L"list" && argc == 4) {
        return List(dialog, std::wcstol(argv[3], nullptr, 10));
    }
    if (command == L"font" && argc == 4) {
        return Font(dialog, std::wcstol(argv[3], nullptr, 10));
    }
    if (command == L"edit" && argc == 4) {
        return Edit(dialog, std::wcstol(argv[3], nullptr, 10));
    }
    if (command == L"close") {
        return Close(dialog);
    }
    return Usage();
}

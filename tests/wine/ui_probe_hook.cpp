// corvane-ui-probe-hook.dll: the part of corvane-ui-probe that runs inside the program under
// test. corvane-ui-probe hooks the dialog's thread with ProbeGetMessageHook and posts a marker
// message behind whatever it posted before; when the dialog's message loop takes the marker,
// everything posted earlier has been handled. The hook then notes each control's font weight
// and face name (font handles mean nothing outside their own process) and signals the probe.

#include <windows.h>

#include <cwchar>

#include "tests/wine/ui_probe_shared.h"

namespace {

BOOL CALLBACK NoteControl(HWND control, LPARAM lParam) {
    auto* report = reinterpret_cast<ProbeReport*>(lParam);
    if (report->count >= kProbeMaxControls) {
        return FALSE;
    }
    auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW logFont = {};
    ProbeControl& entry = report->controls[report->count++];
    entry.id = ::GetDlgCtrlID(control);
    bool known = font != nullptr && ::GetObjectW(font, sizeof logFont, &logFont) != 0;
    entry.weight = known ? logFont.lfWeight : -1;
    // The face the program asked for, not the one Wine substituted for it.
    entry.face[0] = L'\0';
    if (known) {
        std::wmemcpy(entry.face, logFont.lfFaceName, LF_FACESIZE);
    }
    return TRUE;
}

void Report(HWND dialog, DWORD probeProcess) {
    wchar_t name[64];
    std::swprintf(name, 64, kProbeReportName, static_cast<unsigned long>(probeProcess));
    HANDLE mapping = ::OpenFileMappingW(FILE_MAP_WRITE, FALSE, name);
    if (mapping != nullptr) {
        if (void* view = ::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(ProbeReport))) {
            auto* report = static_cast<ProbeReport*>(view);
            report->count = 0;
            ::EnumChildWindows(dialog, NoteControl, reinterpret_cast<LPARAM>(report));
            ::UnmapViewOfFile(view);
        }
        ::CloseHandle(mapping);
    }
    // Paint what is pending, so that a screenshot taken next shows the state just reported.
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::swprintf(name, 64, kProbeDoneName, static_cast<unsigned long>(probeProcess));
    if (HANDLE done = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
        ::SetEvent(done);
        ::CloseHandle(done);
    }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ProbeGetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT marker = ::RegisterWindowMessageW(kProbeMarkerMessage);
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg != nullptr && msg->message == marker) {
        Report(msg->hwnd, static_cast<DWORD>(msg->wParam));
        msg->message = WM_NULL;  // nothing else in the program sees the marker
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

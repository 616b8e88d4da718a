#pragma once
// What corvane-ui-probe and its hook inside the program under test agree on.

#include <windows.h>

// Posted to the dialog with the probe's process id as wParam.
constexpr const wchar_t* kProbeMarkerMessage = L"CorvaneUiProbeMarker";
// Named after the probe's process id: the report the hook fills in, and its signal.
constexpr const wchar_t* kProbeReportName = L"CorvaneUiProbeReport-%lu";
constexpr const wchar_t* kProbeDoneName = L"CorvaneUiProbeDone-%lu";

constexpr int kProbeMaxControls = 64;

struct ProbeControl {
    int id;
    int weight;                 // -1: the control has no font of its own
    wchar_t face[LF_FACESIZE];  // empty then
};

struct ProbeReport {
    int count;
    ProbeControl controls[kProbeMaxControls];
};

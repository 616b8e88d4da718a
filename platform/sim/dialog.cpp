#include "platform/dialog.h"

#include "platform/sim/pc.h"

namespace platform {

namespace {
constexpr int kAgreementTemplate = 132;
constexpr int kStartTemplate = 131;
}  // namespace

bool InitCommonControlsEx(uint32_t) {
    return true;
}

// The user's answer from the scenario: agree or not, Start or Cancel.
intptr_t DialogBoxParamW(int templateId) {
    sim::Pc& pc = sim::CurrentPc();
    pc.dialogsShown().push_back(templateId);
    switch (templateId) {
        case kAgreementTemplate:
            return pc.scenario().agree ? kIdOk : kIdCancel;
        case kStartTemplate:
            return pc.scenario().start ? kIdOk : kIdCancel;
        default:
            return kIdCancel;
    }
}

}  // namespace platform

#pragma once
// VORTAU's resource ids for C++ code; the numbers live in resource.h, which the resource
// script shares.

#include <array>

#include "resources/resource.h"

namespace corvane {

inline constexpr int kDialogSelectNic = IDD_SELECT_NIC;
inline constexpr int kDialogInspect = IDD_INSPECT;
inline constexpr int kDialogMain = IDD_MAIN;
inline constexpr int kDialogProvision = IDD_PROVISION;

inline constexpr int kIdAdapterList = IDC_ADAPTER_LIST;
inline constexpr int kIdAdapterPrompt = IDC_ADAPTER_PROMPT;

// Indexed by check item, 0 to 3.
inline constexpr std::array<int, 4> kIdItemLabels = {IDC_ITEM1_LABEL, IDC_ITEM2_LABEL,
                                                     IDC_ITEM3_LABEL, IDC_ITEM4_LABEL};
inline constexpr std::array<int, 4> kIdItemStates = {IDC_ITEM1_STATE, IDC_ITEM2_STATE,
                                                     IDC_ITEM3_STATE, IDC_ITEM4_STATE};
inline constexpr std::array<int, 4> kIdItemExplanations = {
    IDC_ITEM1_EXPLANATION, IDC_ITEM2_EXPLANATION, IDC_ITEM3_EXPLANATION, IDC_ITEM4_EXPLANATION};
inline constexpr int kIdVerdict = IDC_VERDICT;

inline constexpr int kIdMainWarning = IDC_MAIN_WARNING;
inline constexpr int kIdMainDuration = IDC_MAIN_DURATION;

inline constexpr int kIdAgreementText = IDC_AGREEMENT_TEXT;

inline constexpr int kResourceTypeAgreement = RT_AGREEMENT;
inline constexpr int kAgreementEnglish = IDR_AGREEMENT_ENGLISH;
inline constexpr int kAgreementJapanese = IDR_AGREEMENT_JAPANESE;

inline constexpr int kIconCorvane = IDI_CORVANE;

}  // namespace corvane

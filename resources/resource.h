// Resource ids of VORTAU. Macros because the resource compiler's preprocessor reads this
// file too; C++ code uses the typed names in resources/resource_ids.h instead.
#ifndef CORVANE_RESOURCES_RESOURCE_H
#define CORVANE_RESOURCES_RESOURCE_H

// Dialog templates.
#define IDD_SELECT_NIC 129
#define IDD_INSPECT 130
#define IDD_MAIN 131
#define IDD_PROVISION 132

// Adapter selection (129).
#define IDC_ADAPTER_LIST 1001
#define IDC_ADAPTER_PROMPT 1002

// Inspection (130): per item a label, a state and an explanation box, then the verdict.
#define IDC_ITEM1_EXPLANATION 1003
#define IDC_ITEM2_EXPLANATION 1004
#define IDC_ITEM3_EXPLANATION 1005
#define IDC_ITEM4_EXPLANATION 1006
#define IDC_VERDICT 1007
#define IDC_ITEM1_LABEL 1008
#define IDC_ITEM2_LABEL 1009
#define IDC_ITEM3_LABEL 1010
#define IDC_ITEM4_LABEL 1011
#define IDC_ITEM1_STATE 1012
#define IDC_ITEM2_STATE 1013
#define IDC_ITEM3_STATE 1014
#define IDC_ITEM4_STATE 1015

// Main (131).
#define IDC_MAIN_WARNING 1016
#define IDC_MAIN_DURATION 1017

// Agreement (132).
#define IDC_AGREEMENT_TEXT 1018

// The agreement texts: UTF-16LE, no byte-order mark, no terminating zero.
#define RT_AGREEMENT 5429
#define IDR_AGREEMENT_ENGLISH 137
#define IDR_AGREEMENT_JAPANESE 138

#define IDI_CORVANE 141

#endif

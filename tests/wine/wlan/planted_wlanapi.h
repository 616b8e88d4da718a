#pragma once
// The mark the planted Wlanapi.dll leaves in its process's environment when it is loaded.

inline constexpr wchar_t kPlantedWlanApiMark[] = L"CORVANE_PLANTED_WLANAPI_RAN";

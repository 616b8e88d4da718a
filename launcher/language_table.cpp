#include "launcher/language_table.h"

#include "resources/launcher_resource.h"

namespace corvane {

namespace {

constexpr uint16_t kLangEnglish = 0x09;
constexpr uint16_t kLangJapanese = 0x11;
constexpr uint16_t kPrimaryLanguageMask = 0x3FF;

constexpr LanguageRow kEnglish = {"VORTA LANG_ENGLISH", IDR_PAYLOAD_LANGUAGE_ENGLISH,
                                  IDS_UNSUPPORTED_OS_ENGLISH, IDS_NO_ROLLUP_ENGLISH};
constexpr LanguageRow kJapanese = {"VORTA LANG_JAPANESE", IDR_PAYLOAD_LANGUAGE_JAPANESE,
                                   IDS_UNSUPPORTED_OS_JAPANESE, IDS_NO_ROLLUP_JAPANESE};
constexpr LanguageRow kOther = {"VORTA LANG_????????", IDR_PAYLOAD_LANGUAGE_ENGLISH,
                                IDS_UNSUPPORTED_OS_ENGLISH, IDS_NO_ROLLUP_ENGLISH};

}  // namespace

const LanguageRow& LanguageRowFor(uint16_t languageId) {
    switch (languageId & kPrimaryLanguageMask) {
        case kLangEnglish:
            return kEnglish;
        case kLangJapanese:
            return kJapanese;
        default:
            return kOther;
    }
}

}  // namespace corvane

#pragma once
// Comparison of identifiers (GUIDs, instance ids) without regard to letter case.

namespace corvane {

inline char16_t FoldLetter(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

inline bool EqualNoCase(const char16_t* a, const char16_t* b) {
    for (; *a != u'\0' && FoldLetter(*a) == FoldLetter(*b); ++a, ++b) {
    }
    return FoldLetter(*a) == FoldLetter(*b);
}

}  // namespace corvane

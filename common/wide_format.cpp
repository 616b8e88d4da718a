#include "common/wide_format.h"

#include <cstdint>
#include <iterator>
#include <string>
#include <type_traits>

#include "platform/kernel.h"

namespace corvane {

namespace {

class Output {
  public:
    Output(char16_t* buffer, size_t capacity) : buffer_(buffer), capacity_(capacity) {}
    void Put(char16_t c) {
        if (length_ + 1 < capacity_) {
            buffer_[length_++] = c;
        }
    }
    void Pad(int count, char16_t c) {
        for (; count > 0; --count) {
            Put(c);
        }
    }
    int Finish() {
        if (capacity_ > 0) {
            buffer_[length_] = 0;
        }
        return static_cast<int>(length_);
    }

  private:
    char16_t* buffer_;
    size_t capacity_;
    size_t length_ = 0;
};

struct Spec {
    bool left = false;
    bool zero = false;
    bool alternate = false;
    int width = 0;
    int precision = -1;
    enum { kDefault, kLong, kShort } size = kDefault;
};

const char* NullText(const char*) {
    return "(null)";
}
const char16_t* NullText(const char16_t*) {
    return u"(null)";
}

// The units of a text that a conversion takes: up to its terminator or the precision.
template <typename Char>
int TextLength(const Char* text, const Spec& spec) {
    int length = 0;
    while (text[length] != 0 && (spec.precision < 0 || length < spec.precision)) {
        ++length;
    }
    return length;
}

template <typename Char>
void PutText(Output& out, const Spec& spec, const Char* text) {
    if (text == nullptr) {
        text = NullText(text);
    }
    int length = TextLength(text, spec);
    if (!spec.left) {
        out.Pad(spec.width - length, u' ');
    }
    for (int i = 0; i < length; ++i) {
        out.Put(static_cast<char16_t>(static_cast<std::make_unsigned_t<Char>>(text[i])));
    }
    if (spec.left) {
        out.Pad(spec.width - length, u' ');
    }
}

// 8-bit text is in the ANSI code page (Shift-JIS on a Japanese PC), as wsprintfW takes it;
// the precision counts its bytes.
void PutAnsiText(Output& out, const Spec& spec, const char* text) {
    if (text == nullptr) {
        text = NullText(text);
    }
    int length = TextLength(text, spec);
    std::u16string wide;
    if (length > 0) {
        int needed =
            platform::MultiByteToWideChar(platform::kCodePageAnsi, 0, text, length, nullptr, 0);
        wide.resize(needed > 0 ? needed : 0);
        int written = platform::MultiByteToWideChar(platform::kCodePageAnsi, 0, text, length,
                                                    wide.data(), needed);
        wide.resize(written > 0 ? written : 0);
    }
    Spec whole = spec;
    whole.precision = -1;
    PutText(out, whole, wide.c_str());
}

void PutNumber(Output& out, const Spec& spec, uint32_t magnitude, bool negative, unsigned base,
               bool upper) {
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char16_t reversed[32];
    int count = 0;
    do {
        reversed[count++] = static_cast<char16_t>(digits[magnitude % base]);
        magnitude /= base;
    } while (magnitude != 0);
    while (count < spec.precision && count < static_cast<int>(std::size(reversed))) {
        reversed[count++] = u'0';
    }
    int prefix = negative ? 1 : (spec.alternate && base == 16 ? 2 : 0);
    int padding = spec.width - count - prefix;
    if (!spec.left && !spec.zero) {
        out.Pad(padding, u' ');
    }
    if (negative) {
        out.Put(u'-');
    } else if (prefix == 2) {
        out.Put(u'0');
        out.Put(upper ? u'X' : u'x');
    }
    if (!spec.left && spec.zero) {
        out.Pad(padding, u'0');
    }
    while (count > 0) {
        out.Put(reversed[--count]);
    }
    if (spec.left) {
        out.Pad(padding, u' ');
    }
}

}  // namespace

int FormatWide(char16_t* buffer, size_t capacity, const char16_t* format, va_list args) {
    Output out(buffer, capacity);
    for (const char16_t* p = format; *p != 0; ++p) {
        if (*p != u'%') {
            out.Put(*p);
            continue;
        }
        Spec spec;
        for (++p;; ++p) {
            if (*p == u'-') {
                spec.left = true;
            } else if (*p == u'0') {
                spec.zero = true;
            } else if (*p == u'#') {
                spec.alternate = true;
            } else {
                break;
            }
        }
        for (; *p >= u'0' && *p <= u'9'; ++p) {
            spec.width = spec.width * 10 + (*p - u'0');
        }
        if (*p == u'.') {
            spec.precision = 0;
            for (++p; *p >= u'0' && *p <= u'9'; ++p) {
                spec.precision = spec.precision * 10 + (*p - u'0');
            }
        }
        if (*p == u'l') {
            spec.size = Spec::kLong;
            ++p;
        } else if (*p == u'h') {
            spec.size = Spec::kShort;
            ++p;
        }
        switch (*p) {
            case u'd':
            case u'i': {
                int32_t value = va_arg(args, int32_t);
                uint32_t magnitude =
                    value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
                PutNumber(out, spec, magnitude, value < 0, 10, false);
                break;
            }
            case u'u':
                PutNumber(out, spec, va_arg(args, uint32_t), false, 10, false);
                break;
            case u'x':
            case u'X':
                PutNumber(out, spec, va_arg(args, uint32_t), false, 16, *p == u'X');
                break;
            case u'c':
                out.Put(static_cast<char16_t>(va_arg(args, int)));
                break;
            case u's':
                if (spec.size == Spec::kShort) {
                    PutAnsiText(out, spec, va_arg(args, const char*));
                } else {
                    PutText(out, spec, va_arg(args, const char16_t*));
                }
                break;
            case u'S':
                PutAnsiText(out, spec, va_arg(args, const char*));
                break;
            case 0:
                return out.Finish();
            default:
                out.Put(*p);
                break;
        }
    }
    return out.Finish();
}

}  // namespace corvane

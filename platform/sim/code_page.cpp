#include "platform/sim/code_page.h"

#include <iconv.h>

#include <memory>

namespace sim {

namespace {

std::string IconvName(uint32_t codePage) {
    switch (codePage) {
        case 932:
            return "CP932";
        case 65001:
            return "UTF-8";
        default:
            return "CP" + std::to_string(codePage);
    }
}

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using Converter = std::unique_ptr<void, IconvCloser>;

Converter Open(const std::string& to, const std::string& from) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    return Converter(cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd);
}

// Converts one unit of input at a time so that a unit without a mapping can be replaced.
std::string Convert(const Converter& cd, const char* input, size_t unitSize, size_t units,
                    const std::string& replacement) {
    std::string output;
    for (size_t i = 0; i < units; ++i) {
        char* in = const_cast<char*>(input + i * unitSize);
        size_t inLeft = unitSize;
        char buffer[16];
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, nullptr, nullptr);
        if (cd == nullptr || iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &out, &outLeft) ==
                                 static_cast<size_t>(-1)) {
            output += replacement;
        } else {
            output.append(buffer, out);
        }
    }
    return output;
}

}  // namespace

std::string ToUtf8(const std::u16string& text) {
    auto cd = Open("UTF-8", "UTF-16LE");
    return Convert(cd, reinterpret_cast<const char*>(text.data()), 2, text.size(), "?");
}

std::u16string FromUtf8(const std::string& text) {
    auto cd = Open("UTF-16LE", "UTF-8");
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    std::u16string output(text.size() + 1, 0);
    char* out = reinterpret_cast<char*>(output.data());
    size_t outLeft = output.size() * 2;
    if (cd != nullptr) {
        iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &out, &outLeft);
    }
    output.resize((output.size() * 2 - outLeft) / 2);
    return output;
}

std::string FromUtf16(const std::u16string& text, uint32_t codePage) {
    auto cd = Open(IconvName(codePage), "UTF-16LE");
    return Convert(cd, reinterpret_cast<const char*>(text.data()), 2, text.size(), "?");
}

std::u16string ToUtf16(const std::string& bytes, uint32_t codePage) {
    auto cd = Open("UTF-16LE", IconvName(codePage));
    std::u16string output;
    for (size_t i = 0; i < bytes.size(); ++i) {
        bool lead =
            codePage == 932 && i + 1 < bytes.size() &&
            ((static_cast<uint8_t>(bytes[i]) >= 0x81 && static_cast<uint8_t>(bytes[i]) <= 0x9F) ||
             (static_cast<uint8_t>(bytes[i]) >= 0xE0 && static_cast<uint8_t>(bytes[i]) <= 0xFC));
        size_t length = lead ? 2 : 1;
        std::string unit = Convert(cd, bytes.data() + i, length, 1, std::string("\xFD\xFF", 2));
        output.append(reinterpret_cast<const char16_t*>(unit.data()), unit.size() / 2);
        i += length - 1;
    }
    return output;
}

bool IsLeadByte(uint8_t byte, uint32_t codePage) {
    switch (codePage) {
        case 932:
            return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        case 936:
        case 949:
        case 950:
            return byte >= 0x81 && byte <= 0xFE;
        default:
            return false;
    }
}

}  // namespace sim

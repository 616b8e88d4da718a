#include "tools/scenario/json_values.h"

#include <cstdio>
#include <stdexcept>

namespace corvane::tools {

uint32_t Number(const nlohmann::json& value) {
    return value.is_string() ? Oid(value.get<std::string>()) : value.get<uint32_t>();
}

uint32_t Oid(const std::string& key) {
    return static_cast<uint32_t>(std::stoul(key, nullptr, 0));
}

std::vector<uint8_t> HardwareAddress(const std::string& text) {
    std::vector<uint8_t> bytes;
    for (size_t at = 0; at < text.size(); at += 3) {
        unsigned byte = 0;
        if (std::sscanf(text.c_str() + at, "%2x", &byte) != 1) {
            throw std::runtime_error("a hardware address reads like 00-11-22-33-44-55");
        }
        bytes.push_back(static_cast<uint8_t>(byte));
    }
    return bytes;
}

std::string HexBytes(const std::string& text) {
    if (text.size() % 2 != 0) {
        throw std::runtime_error("hex bytes come in pairs of digits: " + text);
    }
    std::string bytes;
    for (size_t at = 0; at < text.size(); at += 2) {
        unsigned byte = 0;
        if (std::sscanf(text.c_str() + at, "%2x", &byte) != 1) {
            throw std::runtime_error("not hex bytes: " + text);
        }
        bytes.push_back(static_cast<char>(byte));
    }
    return bytes;
}

}  // namespace corvane::tools

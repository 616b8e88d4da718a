#pragma once
// Values as scenario files write them: numbers in decimal or as hex text, OIDs, hardware
// addresses and raw bytes.

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace corvane::tools {

// 5 or "0x0D010102". Throws for a value it cannot use, like the other readers.
uint32_t Number(const nlohmann::json& value);
// An object key naming an OID: "0x0D010102".
uint32_t Oid(const std::string& key);
// "00-11-22-33-44-55" as bytes.
std::vector<uint8_t> HardwareAddress(const std::string& text);
// "00414243" as those bytes.
std::string HexBytes(const std::string& text);

}  // namespace corvane::tools

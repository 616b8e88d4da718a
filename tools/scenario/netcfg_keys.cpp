#include "tools/scenario/netcfg_keys.h"

#include <stdexcept>
#include <string>

#include "platform/sim/code_page.h"

namespace corvane::tools {

namespace {

using nlohmann::json;

// A Windows error or an HRESULT: a number, or a text such as "0x80040154".
uint32_t ErrorCode(const json& value) {
    if (value.is_string()) {
        return static_cast<uint32_t>(std::stoul(value.get<std::string>(), nullptr, 0));
    }
    if (!value.is_number_integer()) {
        throw std::runtime_error(
            "a failing call's error is a number or a text like \"0x80004005\"");
    }
    return value.get<uint32_t>();
}

}  // namespace

void ApplyDriverSetup(const json& setup, sim::Scenario& s) {
    sim::DriverSetupConfig& config = s.driverSetup;
    if (setup.contains("infDirectory")) {
        config.infDirectory = sim::FromUtf8(setup["infDirectory"].get<std::string>());
    }
    if (setup.contains("components")) {
        config.components.clear();
        for (const std::string& id : setup["components"].get<std::vector<std::string>>()) {
            config.components.push_back(sim::FromUtf8(id));
        }
    }
    config.writeLockHeldByOther = setup.value("writeLockHeldByOther", config.writeLockHeldByOther);
    const json failing = setup.value("failingCalls", json::object());
    for (const auto& [call, error] : failing.items()) {
        config.failingCalls[call] = ErrorCode(error);
    }
}

}  // namespace corvane::tools

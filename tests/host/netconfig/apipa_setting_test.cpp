#include "netconfig/apipa_setting.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "tests/host/netconfig/network_pc.h"

namespace corvane {
namespace {

using namespace testing;

// The candidates the search draws on this PC, seeded as it seeds them.
std::vector<uint32_t> Draws(const sim::Pc& pc, int attempts) {
    std::srand(static_cast<unsigned>(pc.scenario().startTickCount + pc.now()));
    std::vector<uint32_t> candidates;
    for (int i = 0; i < attempts; ++i) {
        uint8_t x = static_cast<uint8_t>((std::rand() >> 4) & 0xFF);
        uint8_t y = static_cast<uint8_t>((std::rand() >> 4) & 0xFF);
        candidates.push_back(Ip(169, 254, x, y));
    }
    return candidates;
}

TEST(FindFreeAddress, TheFirstAddressNobodyAnswersIsFree) {
    sim::Pc& pc = InstallNetwork({});
    std::vector<uint32_t> draws = Draws(pc, 3);
    sim::NetworkConfig network;
    network.arpAnswers = {draws[0], draws[1]};
    sim::Pc& busy = InstallNetwork(network);
    CAPIPAOrgSetting setting;
    EXPECT_EQ(setting.FindFreeAddress(0), draws[2]);
    EXPECT_EQ(busy.network().arpRequests(), draws);
    EXPECT_EQ(busy.now(), 3u);
}

TEST(FindFreeAddress, GivesUpAfter256AnsweredAttempts) {
    sim::Pc& pc = InstallNetwork({.everyAddressAnswersArp = true});
    CAPIPAOrgSetting setting;
    EXPECT_EQ(setting.FindFreeAddress(0), 0u);
    EXPECT_EQ(pc.network().arpRequests().size(), 256u);
    EXPECT_EQ(pc.now(), 256u);
}

}  // namespace
}  // namespace corvane

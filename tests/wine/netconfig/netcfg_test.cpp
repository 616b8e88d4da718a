// CTAVIR_NetSet::NetCfgSetup with Wine's network configuration engine. Wine 8's netcfgx.dll
// creates CLSID_CNetCfg (S_OK); its write lock, Initialize and Uninitialize are stubs answering
// S_OK, and QueryNetCfgClass and FindComponent answer E_NOTIMPL. The component is never
// installed or removed, and each call ends quietly with 0.
#include <gtest/gtest.h>

#include "netconfig/tavir_net_set.h"
#include "platform/netcfg.h"

namespace corvane {
namespace {

TEST(NetCfgOnWine, SetupEndsWithZeroAndLeavesComAsItFoundIt) {
    ASSERT_EQ(platform::CoInitialize(), platform::kSOk);
    {
        platform::NetCfg netCfg;
        // Without the engine, the setup below would end at once and show nothing.
        EXPECT_EQ(platform::CoCreateNetCfg(&netCfg), platform::kSOk);
    }
    platform::CoUninitialize();

    CTAVIR_NetSet netSet;
    for (int install : {1, 0}) {
        SCOPED_TRACE(install);
        EXPECT_EQ(netSet.NetCfgSetup(install), 0);
        // Not initialised on this thread any more: the next CoInitialize is a first one.
        EXPECT_EQ(platform::CoInitialize(), platform::kSOk);
        platform::CoUninitialize();
    }
}

}  // namespace
}  // namespace corvane

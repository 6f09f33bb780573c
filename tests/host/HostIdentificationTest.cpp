// What a host sees of the plug-in finding out which host it runs in: the
// questions it asks on the first effOpen, and never again.
#include "tests/host/HostedPlugin.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

using namespace hosttest;

namespace {

std::vector<int32_t> OpcodesOfFirstOpen(const char* product)
{
    HostedPlugin plugin;
    EXPECT_NE(plugin.effect, nullptr) << plugin.error;
    if (plugin.effect == nullptr)
        return {};
    plugin.host.productString = product;
    plugin.host.vendorVersion = 20304;
    plugin.host.ClearCalls();
    plugin.Dispatch(vst::effOpen);
    return plugin.host.Opcodes();
}

const std::vector<int32_t> kProductThenVersion = {vst::audioMasterGetProductString, vst::audioMasterGetVendorVersion};

}  // namespace

TEST(HostIdentification, AsksProductThenVersionOfANamedHost)
{
    EXPECT_EQ(OpcodesOfFirstOpen("REAPER"), kProductThenVersion);
    EXPECT_EQ(OpcodesOfFirstOpen("Nuendo Cubase"), kProductThenVersion);
    EXPECT_EQ(OpcodesOfFirstOpen("Some Host Nobody Knows"), kProductThenVersion);
}

TEST(HostIdentification, AHostWithoutProductNameIsNotAskedItsVersion)
{
    EXPECT_EQ(OpcodesOfFirstOpen(""), std::vector<int32_t>{vst::audioMasterGetProductString});
}

TEST(HostIdentification, TheProductQueryComesWithABufferAndNoArguments)
{
    HostedPlugin plugin;
    ASSERT_NE(plugin.effect, nullptr) << plugin.error;
    plugin.host.productString = std::string(200, 'x');  // the host cuts it to its 64 bytes
    plugin.Dispatch(vst::effOpen);
    const auto calls = plugin.host.CallsOf(vst::audioMasterGetProductString);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(calls[0].hadPtr);
    EXPECT_EQ(calls[0].index, 0);
    EXPECT_EQ(calls[0].value, 0);
    EXPECT_EQ(calls[0].effect, plugin.effect);
}

TEST(HostIdentification, HappensOnlyOnTheFirstOpen)
{
    HostedPlugin plugin;
    ASSERT_NE(plugin.effect, nullptr) << plugin.error;
    plugin.host.productString = "REAPER";
    plugin.host.vendorVersion = 60000;
    plugin.host.ClearCalls();
    plugin.Dispatch(vst::effOpen);
    plugin.Dispatch(vst::effOpen);
    plugin.Dispatch(vst::effOpen);
    EXPECT_EQ(plugin.host.Opcodes(), kProductThenVersion);
}

#include "diag/plan.h"

#include "diag/diag_run.h"
#include "tests/native/fake_host.h"

#include <gtest/gtest.h>

using diag::BuildPlan;
using diag::DiagnosticPlan;
using diag::kProbeDirect;
using diag::kProbeWww;
using diag::LowerCaseTarget;

TEST(PlanTest, BareDomainGetsWwwSteps) {
    const DiagnosticPlan expected{
        "ping example.invalid",     "tracert -d example.invalid",     kProbeDirect,
        "ping www.example.invalid", "tracert -d www.example.invalid", kProbeWww};
    EXPECT_EQ(BuildPlan("example.invalid", IsIpv4Address), expected);
    // Shorter than the prefix, and only the whole "www." counts.
    EXPECT_EQ(BuildPlan("www", IsIpv4Address).size(), 6u);
    EXPECT_EQ(BuildPlan("wwwx.invalid", IsIpv4Address).size(), 6u);
}

TEST(PlanTest, WwwPrefixIsTestedAsTypedButCommandsAreLowered) {
    const DiagnosticPlan expected{"ping www.example.com", "tracert -d www.example.com",
                                  kProbeDirect};
    EXPECT_EQ(BuildPlan("www.example.com", IsIpv4Address), expected);
    EXPECT_EQ(BuildPlan("WWW.Example.COM", IsIpv4Address), expected);
    EXPECT_EQ(BuildPlan("Example.COM", IsIpv4Address)[3], "ping www.example.com");
}

TEST(PlanTest, NumericAddressesGetNoWwwSteps) {
    for (const char* address :
         {"127.0.0.1", "127.1", "0x7f.0.0.1", "0X7F.0.0.1", "0177.0.0.1", "10.0.0.1"}) {
        const DiagnosticPlan plan = BuildPlan(address, IsIpv4Address);
        ASSERT_EQ(plan.size(), 3u) << address;
        EXPECT_EQ(plan[0], "ping " + LowerCaseTarget(address));
    }
    // The address test cannot tell the broadcast address from a failure.
    EXPECT_EQ(BuildPlan("255.255.255.255", IsIpv4Address).size(), 6u);
}

TEST(PlanTest, AddressTestSeesTheLoweredTarget) {
    std::string seen;
    BuildPlan("Example.COM", [&seen](const std::string& text) {
        seen = text;
        return false;
    });
    EXPECT_EQ(seen, "example.com");
}

TEST(PlanTest, SpacesAroundTheTargetNeitherStayNorHideThePrefix) {
    FakeHost typed, trimmed;
    diag::RunDiagnostics("  www.example.com ", IsIpv4Address, typed);
    diag::RunDiagnostics("www.example.com", IsIpv4Address, trimmed);
    ASSERT_EQ(trimmed.calls.size(), 3u);
    EXPECT_EQ(typed.calls, trimmed.calls);
    EXPECT_EQ(typed.output, trimmed.output);
}

TEST(PlanTest, DoubleByteTrailBytesSurviveLowerCasing) {
    // 長門 is E9 4C E9 54 in code page 936: both trail bytes look like capitals.
    ASSERT_EQ(std::string("長門"), "\xE9\x4C\xE9\x54");
    EXPECT_EQ(LowerCaseTarget("長門AB.COM"), "長門ab.com");
    EXPECT_EQ(BuildPlan("長門.COM", IsIpv4Address)[0], "ping 長門.com");
    // A lead byte at the very end has nothing to take along.
    EXPECT_EQ(LowerCaseTarget("A\xE9"), "a\xE9");
}

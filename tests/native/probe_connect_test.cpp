#include "diag/probe_connect.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <utility>
#include <vector>

using diag::ConnectAttempts;
using diag::ConnectToFirstAnswering;

namespace {

// Addresses that answer a given time after their attempt starts, or never
// (kNever); an answer at 0 that does not connect fails at once. The clock
// moves only while the probe waits.
class ScriptedAttempts : public ConnectAttempts {
public:
    static constexpr unsigned long long kNever = ULLONG_MAX;
    struct Answer {
        unsigned long long afterMs;
        bool connects;
    };

    bool Start(const std::string& address) override {
        starts.emplace_back(now, address);
        const Answer answer = answers.at(address);
        if (answer.afterMs == 0 && !answer.connects)
            return false;
        if (answer.afterMs != kNever)
            ends.insert({now + answer.afterMs, {starts.size() - 1, answer.connects}});
        return true;
    }

    End WaitForOne(unsigned waitMs, std::size_t* which) override {
        EXPECT_LE(waitMs, 100u) << "Stop would go unnoticed";
        const auto next = ends.begin();
        if (next == ends.end() || next->first > now + waitMs) {
            now += waitMs;
            return End::None;
        }
        now = next->first;
        *which = next->second.first;
        const bool connected = next->second.second;
        ends.erase(next);
        return connected ? End::Connected : End::Failed;
    }

    unsigned long long NowMs() const override { return now; }
    bool Running() const override { return now < stopAtMs; }

    std::map<std::string, Answer> answers;
    std::vector<std::pair<unsigned long long, std::string>> starts;
    // When each attempt under way ends: its number and whether it connects.
    std::multimap<unsigned long long, std::pair<std::size_t, bool>> ends;
    unsigned long long now = 0;
    unsigned long long stopAtMs = kNever;
};

using Starts = std::vector<std::pair<unsigned long long, std::string>>;
const auto kNever = ScriptedAttempts::kNever;

} // namespace

TEST(ProbeConnectTest, NextAddressStartsWhenTheLastGoesUnansweredOrAllSoFarFailed) {
    ScriptedAttempts attempts;
    attempts.answers = {{"a", {kNever, false}},
                        {"b", {0, false}},
                        {"c", {40, false}},
                        {"d", {30, true}},
                        {"e", {1, true}}};
    EXPECT_TRUE(ConnectToFirstAnswering({"a", "b", "c", "d", "e"}, attempts));
    // b is refused at once and c fails, each starting the next at once; a goes
    // on beside them.
    EXPECT_EQ(attempts.starts, (Starts{{0, "a"}, {250, "b"}, {250, "c"}, {290, "d"}}));
    EXPECT_EQ(attempts.now, 320u);

    ScriptedAttempts allFail;
    allFail.answers = {{"a", {10, false}}, {"b", {0, false}}, {"c", {20, false}}};
    EXPECT_FALSE(ConnectToFirstAnswering({"a", "b", "c"}, allFail));
    EXPECT_EQ(allFail.starts, (Starts{{0, "a"}, {10, "b"}, {10, "c"}}));
    EXPECT_EQ(allFail.now, 30u);
}

TEST(ProbeConnectTest, UnansweredAttemptsEndOneTimeOutAfterTheLastStart) {
    ScriptedAttempts attempts;
    attempts.answers = {{"a", {kNever, false}}, {"b", {kNever, false}}};
    EXPECT_FALSE(ConnectToFirstAnswering({"a", "b"}, attempts));
    EXPECT_EQ(attempts.now, 250u + diag::ConnectTiming().timeoutMs);
}

TEST(ProbeConnectTest, StopEndsTheWaitWithinItsCheckAndStartsNothingMore) {
    ScriptedAttempts attempts;
    attempts.answers = {{"a", {kNever, false}}, {"b", {kNever, false}}};
    attempts.stopAtMs = 130;
    EXPECT_FALSE(ConnectToFirstAnswering({"a", "b"}, attempts));
    EXPECT_LE(attempts.now, 230u);
    EXPECT_EQ(attempts.starts, (Starts{{0, "a"}}));
}

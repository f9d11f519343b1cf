#include "diag/probe_connect.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

const unsigned long long kNever = ULLONG_MAX;

// The addresses' answers, in the order they are tried: after how long, and
// whether they connect; a failure after 0 ms is a refusal at once. The clock
// moves only while the probe waits.
class ScriptedAttempts : public diag::ConnectAttempts {
public:
    using Answer = std::pair<unsigned long long, bool>;
    explicit ScriptedAttempts(std::vector<Answer> answers) : m_answers(std::move(answers)) {}

    bool Start(const std::string&) override {
        const auto [afterMs, connects] = m_answers.at(starts.size());
        starts.push_back(now);
        if (afterMs != kNever && (afterMs > 0 || connects))
            m_ends.insert({now + afterMs, {starts.size() - 1, connects}});
        return afterMs > 0 || connects;
    }

    End WaitForOne(unsigned waitMs, std::size_t* which) override {
        EXPECT_LE(waitMs, 100u) << "a Stop would go unnoticed";
        const auto next = m_ends.begin();
        if (next == m_ends.end() || next->first > now + waitMs) {
            now += waitMs;
            return End::None;
        }
        now = next->first;
        *which = next->second.first;
        const bool connected = next->second.second;
        m_ends.erase(next);
        return connected ? End::Connected : End::Failed;
    }

    std::size_t MaxUnderWay() const override { return maxUnderWay; }
    unsigned long long NowMs() const override { return now; }
    bool Running() const override { return true; }

    std::vector<unsigned long long> starts;
    unsigned long long now = 0;
    std::size_t maxUnderWay = 64;

private:
    std::vector<Answer> m_answers;
    std::multimap<unsigned long long, std::pair<std::size_t, bool>> m_ends;
};

} // namespace

TEST(ProbeConnectTest, AttemptsAreStaggeredAndTheFirstConnectionWins) {
    // The first never answers and goes on beside the others; the second is
    // refused and the third fails, each starting the next at once.
    ScriptedAttempts attempts({{kNever, false}, {0, false}, {40, false}, {30, true}, {1, true}});
    EXPECT_TRUE(diag::ConnectToFirstAnswering({"a", "b", "c", "d", "e"}, attempts));
    EXPECT_EQ(attempts.starts, (std::vector<unsigned long long>{0, 250, 250, 290}));
    EXPECT_EQ(attempts.now, 320u);

    // Nothing answers: given up one time-out after the last start.
    ScriptedAttempts silent({{kNever, false}, {kNever, false}});
    EXPECT_FALSE(diag::ConnectToFirstAnswering({"a", "b"}, silent));
    EXPECT_EQ(silent.now, 250u + diag::ConnectTiming().timeoutMs);

    // No more under way than can be watched: the third waits for the second to fail.
    ScriptedAttempts crowded({{kNever, false}, {1000, false}, {10, true}});
    crowded.maxUnderWay = 2;
    EXPECT_TRUE(diag::ConnectToFirstAnswering({"a", "b", "c"}, crowded));
    EXPECT_EQ(crowded.starts, (std::vector<unsigned long long>{0, 250, 1250}));
}

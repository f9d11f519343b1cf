#include "app/run_state.h"

#include <gtest/gtest.h>

namespace {

void ExpectButtons(const RunState& state, bool start, bool stop, bool save) {
    const ButtonStates buttons = state.Buttons();
    EXPECT_EQ(buttons.start, start);
    EXPECT_EQ(buttons.stop, stop);
    EXPECT_EQ(buttons.save, save);
}

} // namespace

TEST(RunStateTest, ButtonsFollowTheRun) {
    RunState state;
    ExpectButtons(state, true, false, true);
    const auto ticket = state.Begin();
    EXPECT_TRUE(state.IsRunning());
    ExpectButtons(state, false, true, false);
    EXPECT_TRUE(state.Finish(ticket->m_nId));
    EXPECT_FALSE(ticket->m_bRunning);
    EXPECT_FALSE(state.IsRunning());
    ExpectButtons(state, true, false, true);
}

TEST(RunStateTest, StoppedRunKeepsItsPaneUntilTheNextBegin) {
    RunState state;
    const auto first = state.Begin();
    state.Stop();
    EXPECT_FALSE(first->m_bRunning);
    EXPECT_FALSE(state.IsRunning());
    EXPECT_TRUE(state.IsCurrent(first->m_nId));

    const auto second = state.Begin();
    EXPECT_NE(second->m_nId, first->m_nId);
    EXPECT_FALSE(state.IsCurrent(first->m_nId));
    EXPECT_FALSE(first->m_bRunning);
    EXPECT_TRUE(second->m_bRunning);
}

TEST(RunStateTest, BeginLowersTheRunItReplaces) {
    RunState state;
    const auto first = state.Begin();
    state.Begin();
    EXPECT_FALSE(first->m_bRunning);
}

TEST(RunStateTest, StaleFinishIsIgnored) {
    RunState state;
    const auto first = state.Begin();
    state.Stop();
    const auto second = state.Begin();

    EXPECT_FALSE(state.Finish(first->m_nId));
    EXPECT_TRUE(state.IsRunning());
    EXPECT_TRUE(second->m_bRunning);
    ExpectButtons(state, false, true, false);
}

TEST(RunStateTest, FinishWhileIdleChangesNothing) {
    RunState state;
    EXPECT_FALSE(state.Finish(1));
    EXPECT_FALSE(state.IsCurrent(1));
    ExpectButtons(state, true, false, true);
}

TEST(RunStateTest, ClearedPaneTakesNothingMoreFromTheStoppedRun) {
    RunState state;
    const auto stopped = state.Begin();
    state.Stop();
    // A refused start clears the pane without beginning a new run.
    state.Forget();
    EXPECT_FALSE(state.IsCurrent(stopped->m_nId));
    EXPECT_FALSE(state.Finish(stopped->m_nId));
    ExpectButtons(state, true, false, true);

    const auto running = state.Begin();
    state.Forget();
    EXPECT_FALSE(running->m_bRunning);
    EXPECT_FALSE(state.IsRunning());
}

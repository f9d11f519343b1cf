#include "diag/output_queue.h"

#include <gtest/gtest.h>

#include <string>

using diag::OutputQueue;

namespace {

std::wstring Take(OutputQueue& queue, bool expectKeepLooking) {
    bool keepLooking = !expectKeepLooking;
    std::wstring text = queue.Take(&keepLooking);
    EXPECT_EQ(keepLooking, expectKeepLooking);
    return text;
}

TEST(OutputQueue, TellsTheDialogOnceWhenTextStartsWaiting) {
    OutputQueue queue;
    EXPECT_TRUE(queue.Add(L"Pinging 127.0.0.1\r\n"));
    EXPECT_FALSE(queue.Add(L"Reply "));
    EXPECT_FALSE(queue.Add(L"from 127.0.0.1\r\n"));
    EXPECT_EQ(Take(queue, true), L"Pinging 127.0.0.1\r\nReply from 127.0.0.1\r\n");
}

TEST(OutputQueue, WhileTextKeepsComingTheDialogLooksOnItsOwn) {
    OutputQueue queue;
    queue.Add(L"第一");
    Take(queue, true);
    // The dialog is looking on its timer: no need to tell it.
    EXPECT_FALSE(queue.Add(L"第二"));
    EXPECT_FALSE(queue.Add(L"第三"));
    EXPECT_EQ(Take(queue, true), L"第二第三");
    // Nothing came since: the dialog stops looking, and must be told again.
    EXPECT_EQ(Take(queue, false), L"");
    EXPECT_TRUE(queue.Add(L"第四"));
    EXPECT_EQ(Take(queue, true), L"第四");
}

TEST(OutputQueue, TakingWithNothingWaitingChangesNothing) {
    OutputQueue queue;
    EXPECT_EQ(Take(queue, false), L"");
    EXPECT_EQ(Take(queue, false), L"");
    EXPECT_TRUE(queue.Add(L"x"));
}

TEST(OutputQueue, AnEmptyTakeAfterBeingToldLeavesItQuiet) {
    // The dialog took the text on its way to ending the run, before the
    // notice arrived; the notice then finds nothing.
    OutputQueue queue;
    queue.Add(L"\r\n所有命令运行完毕.\r\n");
    EXPECT_EQ(Take(queue, true), L"\r\n所有命令运行完毕.\r\n");
    EXPECT_EQ(Take(queue, false), L"");
    EXPECT_TRUE(queue.Add(L"later"));
}

// Adds chunks until the queue is full; returns how much it then holds.
std::size_t FillUp(OutputQueue& queue) {
    const std::wstring chunk(4096, L'a');
    std::size_t added = 0;
    while (!queue.Full()) {
        queue.Add(chunk);
        added += chunk.size();
    }
    return added;
}

TEST(OutputQueue, IsFullFromTheHighWaterMarkUntilTaken) {
    OutputQueue queue;
    EXPECT_EQ(FillUp(queue), OutputQueue::kMinHighWater);
    EXPECT_EQ(Take(queue, true).size(), OutputQueue::kMinHighWater);
    EXPECT_FALSE(queue.Full());
}

TEST(OutputQueue, HighWaterMarkGrowsWithTheTextAlreadyTaken) {
    OutputQueue queue;
    // Until 64 times the least mark has been taken, the mark stays where it
    // starts.
    const std::size_t growing = 64 * OutputQueue::kMinHighWater;
    std::size_t taken = 0;
    while (taken < growing) {
        EXPECT_EQ(FillUp(queue), OutputQueue::kMinHighWater) << taken;
        taken += Take(queue, true).size();
    }
    // Then it is a 64th of what was taken.
    while (taken < 2 * 1024 * 1024) {
        const std::size_t held = FillUp(queue);
        EXPECT_GE(held, taken / 64) << taken;
        EXPECT_LT(held, taken / 64 + 4096) << taken;
        taken += Take(queue, true).size();
    }
    EXPECT_GE(FillUp(queue), 32u * 1024);
}

} // namespace

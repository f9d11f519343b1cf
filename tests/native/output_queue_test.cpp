#include "diag/output_queue.h"

#include <gtest/gtest.h>

#include <string>

using diag::OutputQueue;

namespace {

std::string Take(OutputQueue& queue, bool expectKeepLooking) {
    bool keepLooking = !expectKeepLooking;
    std::string text = queue.Take(&keepLooking);
    EXPECT_EQ(keepLooking, expectKeepLooking);
    return text;
}

TEST(OutputQueue, TellsTheDialogOnceWhenTextStartsWaiting) {
    OutputQueue queue;
    EXPECT_TRUE(queue.Add("Pinging 127.0.0.1\r\n"));
    EXPECT_FALSE(queue.Add("Reply "));
    EXPECT_FALSE(queue.Add("from 127.0.0.1\r\n"));
    EXPECT_EQ(Take(queue, true), "Pinging 127.0.0.1\r\nReply from 127.0.0.1\r\n");
}

TEST(OutputQueue, WhileTextKeepsComingTheDialogLooksOnItsOwn) {
    OutputQueue queue;
    queue.Add("第一");
    Take(queue, true);
    // The dialog is looking on its timer: no need to tell it.
    EXPECT_FALSE(queue.Add("第二"));
    EXPECT_FALSE(queue.Add("第三"));
    EXPECT_EQ(Take(queue, true), "第二第三");
    // Nothing came since: the dialog stops looking, and must be told again.
    EXPECT_EQ(Take(queue, false), "");
    EXPECT_TRUE(queue.Add("第四"));
    EXPECT_EQ(Take(queue, true), "第四");
}

TEST(OutputQueue, TakingWithNothingWaitingChangesNothing) {
    OutputQueue queue;
    EXPECT_EQ(Take(queue, false), "");
    EXPECT_EQ(Take(queue, false), "");
    EXPECT_TRUE(queue.Add("x"));
}

TEST(OutputQueue, AnEmptyTakeAfterBeingToldLeavesItQuiet) {
    // The dialog took the text on its way to ending the run, before the
    // notice arrived; the notice then finds nothing.
    OutputQueue queue;
    queue.Add("\r\n所有命令运行完毕.\r\n");
    EXPECT_EQ(Take(queue, true), "\r\n所有命令运行完毕.\r\n");
    EXPECT_EQ(Take(queue, false), "");
    EXPECT_TRUE(queue.Add("later"));
}

// Adds chunks until the queue is full; returns how much it then holds.
std::size_t FillUp(OutputQueue& queue) {
    const std::string chunk(4096, 'a');
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

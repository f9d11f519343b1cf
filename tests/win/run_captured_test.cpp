#include "diag/run_captured_win.h"

#include "framework/fw_text.h"
#include "tests/fakes/chatter_pattern.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class RecordingSink : public diag::OutputSink {
public:
    explicit RecordingSink(std::size_t appendsAllowed = SIZE_MAX) : m_allowed(appendsAllowed) {}

    bool Running() const override { return appends.size() < m_allowed; }
    void Append(const std::string& text) override { appends.push_back(text); }

    std::string Joined() const {
        std::string joined;
        for (const std::string& text : appends)
            joined += text;
        return joined;
    }

    std::vector<std::string> appends;

private:
    const std::size_t m_allowed;
};

std::string Fake(const char* program) {
    const char* folder = std::getenv("TARNWICK_FAKES");
    return std::string(folder ? folder : "") + "\\" + program;
}

// The chatter, in the console's code page, came in chunks of at most one read
// that each end with a whole character: decoded one by one they give what the
// whole output gives.
void ExpectChatterWhole(const RecordingSink& sink, std::size_t bytes) {
    EXPECT_EQ(sink.Joined(), ChatterPattern(bytes));
    ASSERT_GT(sink.appends.size(), 1u) << "more than one chunk expected";
    std::wstring decoded;
    for (std::size_t i = 0; i < sink.appends.size(); ++i) {
        EXPECT_LE(sink.appends[i].size(), 4096u + 3) << "append " << i;
        decoded += Widen(::GetOEMCP(), sink.appends[i]);
    }
    EXPECT_EQ(decoded, Widen(::GetOEMCP(), sink.Joined())) << "a character was split";
}

TEST(RunCaptured, OutputLongerThanOneChunkArrivesWholeAndInOrder) {
    RecordingSink sink;
    ASSERT_TRUE(RunCaptured("cmd.exe /c " + Fake("chatter.exe") + " 20000", sink));
    ExpectChatterWhole(sink, 20000);
}

TEST(RunCaptured, StandardErrorIsCapturedToo) {
    RecordingSink sink;
    ASSERT_TRUE(RunCaptured("cmd.exe /c " + Fake("chatter.exe") + " 9000 stderr", sink));
    ExpectChatterWhole(sink, 9000);
}

TEST(RunCaptured, UnknownCommandLeavesTheInterpretersComplaint) {
    RecordingSink sink;
    ASSERT_TRUE(RunCaptured("cmd.exe /c nosuchcommand_xyz", sink));
    EXPECT_NE(sink.Joined().find("nosuchcommand_xyz"), std::string::npos) << sink.Joined();
}

TEST(RunCaptured, ChildRunsInTheSystemDirectory) {
    char system[MAX_PATH] = "";
    ASSERT_GT(::GetSystemDirectoryA(system, MAX_PATH), 0u);
    RecordingSink sink;
    ASSERT_TRUE(RunCaptured("cmd.exe /c cd", sink));
    EXPECT_EQ(sink.Joined(), std::string(system) + "\r\n");
}

TEST(RunCaptured, ChildThatCannotStartWritesNothing) {
    RecordingSink sink;
    EXPECT_FALSE(RunCapturedWith(L"C:\\no\\such\\folder\\program.exe", "program.exe", sink));
    EXPECT_TRUE(sink.appends.empty());
}

// The stand-in tracert writes its header at once and then a hop every 300 ms
// for 2.4 s: a runner that waited for the child would take that long.
TEST(RunCaptured, StoppedSinkGetsNothingMoreAndTheChildIsNotWaitedFor) {
    RecordingSink sink(1);
    const DWORD begin = ::GetTickCount();
    ASSERT_TRUE(RunCapturedWith(Widen(Fake("tracert.exe")), "tracert -d 127.0.0.1", sink));
    const DWORD elapsed = ::GetTickCount() - begin;
    ASSERT_EQ(sink.appends.size(), 1u);
    EXPECT_EQ(sink.appends[0], "通过最多 30 个跃点跟踪到 127.0.0.1 的路由\r\n\r\n");
    EXPECT_LT(elapsed, 1500u);
}

// While runs overlap, a child holding another run's pipe keeps that run from its end.
TEST(RunCaptured, ChildInheritsNoHandleButItsOutput) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(::CreatePipe(&readEnd, &writeEnd, &inheritable, 0));
    // The stand-in tracert runs on for 2.4 s after the stopped run, writing where nothing fails.
    RecordingSink sink(1);
    ASSERT_TRUE(RunCaptured("cmd.exe /c echo x& " + Fake("tracert.exe") + " -d 1 >nul", sink));
    ::CloseHandle(writeEnd);
    const DWORD begin = ::GetTickCount();
    char byte = 0;
    DWORD got = 0;
    EXPECT_FALSE(::ReadFile(readEnd, &byte, 1, &got, nullptr));
    EXPECT_LT(::GetTickCount() - begin, 1500u);
    ::CloseHandle(readEnd);
}

} // namespace

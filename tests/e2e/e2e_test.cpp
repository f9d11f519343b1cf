#include "res/resource.h"
#include "tests/e2e/driver_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using e2e::WaitUntil;

const char kSeparator[] = "\r\n--------------------------------------------\r\n";
const char kCompleted[] = "\r\n所有命令运行完毕.\r\n";
const char kStopped[] = "\r\n中止命令.\r\n";
const char kBadTarget[] = "请输入正确域名";
const char kFirstHop[] = "  1    <1 ms    <1 ms    <1 ms  127.0.0.1\r\n";

// A run ends in seconds: ping takes about three, the stand-in tracert 2.4.
const DWORD kRunTimeoutMs = 60000;

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// What follows each separator; the pane starts with one, so the text
// before it must be empty.
std::vector<std::string> Sections(const std::string& pane) {
    std::vector<std::string> sections;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = pane.find(kSeparator, from);
        sections.push_back(
            pane.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos)
            return sections;
        from = at + sizeof kSeparator - 1;
    }
}

std::string ConsoleHeader(const std::string& command) { return "执行\" " + command + "\"命令\r\n"; }

// Everything the stand-in tracert prints.
std::string TracertOutput(const std::string& target) {
    std::string text = "通过最多 30 个跃点跟踪到 " + target + " 的路由\r\n\r\n";
    for (int hop = 1; hop <= 8; ++hop)
        text += "  " + std::to_string(hop) + "    <1 ms    <1 ms    <1 ms  127.0.0.1\r\n";
    return text + "\r\n跟踪完成。\r\n";
}

std::string ProbeFailed(const std::string& host) {
    return "尝试连接 " + host + " 所在主机的80端口\r\n连接 " + host + " 所在主机的80端口失败\r\n";
}

class Tarnwick : public ::testing::Test {
protected:
    void SetUp() override {
        program = std::make_unique<e2e::Program>(e2e::Env("TARNWICK_EXE"));
        ASSERT_TRUE(program->Started()) << "no dialog from " << e2e::Env("TARNWICK_EXE");
    }

    // Every test leaves a program that still closes cleanly.
    void TearDown() override {
        if (!program->Started())
            return;
        program->RequestClose();
        DWORD exitCode = 1;
        EXPECT_TRUE(program->WaitForExit(10000, &exitCode));
        EXPECT_EQ(exitCode, 0u);
    }

    std::string Pane() const { return program->Text(IDC_OUTPUT); }

    bool IsIdle() const {
        return program->IsEnabled(IDC_START) && !program->IsEnabled(IDC_STOP) &&
               program->IsEnabled(IDC_SAVE);
    }
    bool IsRunning() const {
        return !program->IsEnabled(IDC_START) && program->IsEnabled(IDC_STOP) &&
               !program->IsEnabled(IDC_SAVE);
    }

    void StartRun(const std::string& target) {
        program->SetText(IDC_TARGET, target);
        ASSERT_TRUE(program->Click(IDC_START));
        ASSERT_TRUE(WaitUntil([this] { return IsRunning(); }, 5000)) << "run did not start";
    }

    bool WaitForPaneEnd(const std::string& tail, DWORD timeoutMs = kRunTimeoutMs) {
        return WaitUntil([&] { return EndsWith(Pane(), tail); }, timeoutMs);
    }
    bool WaitForPaneText(const std::string& part, DWORD timeoutMs = kRunTimeoutMs) {
        return WaitUntil([&] { return Contains(Pane(), part); }, timeoutMs);
    }

    // Start with a target the program must not run: it clears the pane,
    // says so in a box and stays idle.
    void ExpectRefused(const std::string& target) {
        program->SetText(IDC_OUTPUT, "text of an earlier run\r\n");
        program->SetText(IDC_TARGET, target);
        ASSERT_TRUE(program->Click(IDC_START));
        const HWND box = program->WaitForMessageBox(10000);
        ASSERT_TRUE(box) << "no message box for \"" << target << "\"";
        EXPECT_EQ(e2e::WindowText(box), "tarnwick");
        EXPECT_EQ(e2e::WindowText(::GetDlgItem(box, 0xFFFF)), kBadTarget);
        EXPECT_EQ(Pane(), "");
        program->Answer(box);
        EXPECT_TRUE(WaitUntil([this] { return !program->FindMessageBox(); }, 10000));
        EXPECT_TRUE(IsIdle());
        EXPECT_EQ(Pane(), "");
    }

    std::unique_ptr<e2e::Program> program;
};

TEST_F(Tarnwick, EmptyTargetIsRefused) { ExpectRefused(""); }

TEST_F(Tarnwick, TargetOfSpacesIsRefused) { ExpectRefused("    "); }

TEST_F(Tarnwick, TargetThatLooksLikeAnOptionIsRefused) { ExpectRefused("-t"); }

TEST_F(Tarnwick, CommandSmuggledInTheTargetIsRefusedAndNeverRuns) {
    const std::string witness = e2e::Env("TARNWICK_ARTIFACTS") + "\\pwned.txt";
    ::DeleteFileA(witness.c_str());
    ExpectRefused("127.0.0.1 & echo pwned > " + witness);
    EXPECT_FALSE(WaitUntil(
        [&] { return ::GetFileAttributesA(witness.c_str()) != INVALID_FILE_ATTRIBUTES; }, 3000));
}

TEST_F(Tarnwick, AddressRunsPingTracertAndProbe) {
    StartRun("127.0.0.1");
    ASSERT_TRUE(WaitForPaneEnd(kCompleted)) << Pane();
    EXPECT_TRUE(WaitUntil([this] { return IsIdle(); }, 5000));

    const std::vector<std::string> sections = Sections(Pane());
    ASSERT_EQ(sections.size(), 4u) << Pane();
    EXPECT_EQ(sections[0], "");
    EXPECT_EQ(sections[1].rfind(ConsoleHeader("ping 127.0.0.1"), 0), 0u) << sections[1];
    EXPECT_TRUE(Contains(sections[1], "Reply from 127.0.0.1")) << sections[1];
    EXPECT_EQ(sections[2], ConsoleHeader("tracert -d 127.0.0.1") + TracertOutput("127.0.0.1"));
    // Nothing listens on port 80 in the tests' network.
    EXPECT_EQ(sections[3], ProbeFailed("127.0.0.1") + kCompleted);

    // A picture of the finished run, for people to look at.
    const std::string screenshot = e2e::Env("TARNWICK_ARTIFACTS") + "\\after-run.bmp";
    ::DeleteFileA(screenshot.c_str());
    EXPECT_TRUE(e2e::SaveScreenshot(program->Dialog(), screenshot));
}

TEST_F(Tarnwick, DomainRunsAgainForItsWwwName) {
    StartRun("localhost");
    ASSERT_TRUE(WaitForPaneEnd(kCompleted)) << Pane();

    const std::vector<std::string> sections = Sections(Pane());
    ASSERT_EQ(sections.size(), 7u) << Pane();
    EXPECT_EQ(sections[0], "");
    EXPECT_EQ(sections[1].rfind(ConsoleHeader("ping localhost"), 0), 0u) << sections[1];
    EXPECT_EQ(sections[2], ConsoleHeader("tracert -d localhost") + TracertOutput("localhost"));
    EXPECT_EQ(sections[3], ProbeFailed("localhost"));
    EXPECT_EQ(sections[4].rfind(ConsoleHeader("ping www.localhost"), 0), 0u) << sections[4];
    EXPECT_EQ(sections[5],
              ConsoleHeader("tracert -d www.localhost") + TracertOutput("www.localhost"));
    EXPECT_EQ(sections[6], std::string("无法解析www.localhost的主机IP\r\n") + kCompleted);
    EXPECT_TRUE(WaitUntil([this] { return IsIdle(); }, 5000));
}

TEST_F(Tarnwick, StopEndsTheRunWhileTracertStreams) {
    StartRun("127.0.0.1");
    ASSERT_TRUE(WaitForPaneText(kFirstHop)) << Pane();
    ASSERT_TRUE(program->Click(IDC_STOP));
    EXPECT_TRUE(WaitUntil([this] { return IsIdle(); }, 1000)) << "buttons stayed busy";

    ASSERT_TRUE(WaitForPaneEnd(kStopped, 10000)) << Pane();
    const std::string pane = Pane();
    EXPECT_FALSE(Contains(pane, kCompleted));
    EXPECT_FALSE(Contains(pane, "跟踪完成")) << "tracert output after the stop";
    EXPECT_FALSE(Contains(pane, "尝试连接")) << "probe after the stop";
    EXPECT_EQ(Sections(pane).size(), 3u) << pane;
    // The stopped run adds nothing once it has said so.
    ::Sleep(1500);
    EXPECT_EQ(Pane(), pane);
}

TEST_F(Tarnwick, EnterInTheTargetFieldStartsARun) {
    program->SetText(IDC_TARGET, "127.0.0.1");
    ASSERT_TRUE(program->PressEnterIn(IDC_TARGET));
    ASSERT_TRUE(WaitUntil([this] { return IsRunning(); }, 5000));
    EXPECT_TRUE(WaitForPaneText(ConsoleHeader("ping 127.0.0.1"), 5000)) << Pane();

    // Enter again while the run goes on neither closes the program nor
    // disturbs the run.
    ASSERT_TRUE(program->PressEnterIn(IDC_TARGET));
    ::Sleep(500);
    EXPECT_TRUE(::IsWindow(program->Dialog()));
    EXPECT_TRUE(IsRunning());

    ASSERT_TRUE(program->Click(IDC_STOP));
    EXPECT_TRUE(WaitForPaneEnd(kStopped, 10000)) << Pane();
}

TEST_F(Tarnwick, ClosingDuringARunEndsTheProgram) {
    StartRun("127.0.0.1");
    ASSERT_TRUE(WaitForPaneText(kFirstHop)) << Pane();
    program->RequestClose();
    DWORD exitCode = 1;
    ASSERT_TRUE(program->WaitForExit(5000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(Tarnwick, RunStartedRightAfterAStopShowsOnlyItsOwnOutput) {
    StartRun("127.0.0.1");
    ASSERT_TRUE(WaitForPaneText(ConsoleHeader("ping 127.0.0.1"), 5000)) << Pane();
    ASSERT_TRUE(program->Click(IDC_STOP));
    ASSERT_TRUE(WaitUntil([this] { return IsIdle(); }, 1000));
    // The first run is still waiting for ping when the second begins.
    StartRun("127.0.0.1");

    bool sawStoppedLine = false;
    const bool completed = WaitUntil(
        [&] {
            const std::string pane = Pane();
            sawStoppedLine = sawStoppedLine || Contains(pane, kStopped);
            return EndsWith(pane, kCompleted);
        },
        kRunTimeoutMs);
    ASSERT_TRUE(completed) << Pane();
    EXPECT_FALSE(sawStoppedLine);
    const std::string pane = Pane();
    EXPECT_EQ(Sections(pane).size(), 4u) << pane;
    EXPECT_EQ(pane.find(ConsoleHeader("ping 127.0.0.1")),
              pane.rfind(ConsoleHeader("ping 127.0.0.1")))
        << pane;
    EXPECT_TRUE(WaitUntil([this] { return IsIdle(); }, 5000));
}

} // namespace

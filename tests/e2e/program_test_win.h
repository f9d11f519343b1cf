#pragma once

#include "tests/e2e/driver_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace e2e {

// What the program writes at the end of a run.
const char kCompleted[] = "\r\n所有命令运行完毕.\r\n";
const char kStopped[] = "\r\n中止命令.\r\n";
// What it says to a target it will not run.
const char kBadTarget[] = "请输入正确域名";
// The stand-in tracert's first line of hops.
const char kFirstHop[] = "  1    <1 ms    <1 ms    <1 ms  127.0.0.1\r\n";

// A run ends in seconds: ping takes about three, the stand-in tracert 2.4.
const DWORD kRunTimeoutMs = 60000;

bool Contains(const std::string& text, const std::string& part);
bool EndsWith(const std::string& text, const std::string& tail);

// What follows each separator line of the pane; the pane starts with one, so
// the text before it must be empty.
std::vector<std::string> Sections(const std::string& pane);
// The line that opens a console command's section.
std::string ConsoleHeader(const std::string& command);
// What the stand-in tracert prints before and after its hops, and all of it,
// in the language of the system's console code page.
std::string TracertHeader(const std::string& target);
std::string TracertFooter();
std::string TracertOutput(const std::string& target);
// The probe's lines when nothing listens on port 80, as in the tests' network.
std::string ProbeFailed(const std::string& host);
// The pane of a completed run on an address: ping's replies, the stand-in
// tracert's hops, the failed probe and the closing line.
void ExpectCompletedAddressRun(const std::string& pane, const std::string& address);

// Each test gets the program freshly started and must leave it still
// closing cleanly.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    // How long the program may take to show its dialog.
    DWORD startTimeoutMs = 30000;
    void TearDown() override;

    std::string Pane() const;
    HWND Dialog() const { return program->Dialog(); }

    bool IsIdle() const;
    bool IsRunning() const;
    bool WaitUntilIdle(DWORD timeoutMs);

    // Types the target and presses Start.
    void PressStart(const std::string& target);
    // Starts a run and waits until all the buttons show it going.
    void StartRun(const std::string& target);

    bool WaitForPaneEnd(const std::string& tail, DWORD timeoutMs = kRunTimeoutMs);
    bool WaitForPaneText(const std::string& part, DWORD timeoutMs = kRunTimeoutMs);

    std::unique_ptr<Program> program;
};

} // namespace e2e

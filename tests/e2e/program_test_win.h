#pragma once

#include "tests/e2e/driver_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

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

// Each test gets the program freshly started and must leave it still
// closing cleanly.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
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

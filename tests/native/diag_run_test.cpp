#include "diag/diag_run.h"

#include "diag/diag_texts.h"
#include "tests/native/fake_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using diag::kClosingCompleted;
using diag::kClosingStopped;
using diag::kSeparator;
using diag::RunDiagnostics;

namespace {

const std::string kSep = kSeparator;

std::string Header(const std::string& command) { return "执行\" " + command + "\"命令\r\n"; }

std::string Attempt(const std::string& host) {
    return "尝试连接 " + host + " 所在主机的80端口\r\n";
}

// The last bytes of the output, as many as the expected ending has.
std::string Ending(const FakeHost& host, const std::string& expected) {
    const std::size_t size = host.output.size();
    return host.output.substr(size > expected.size() ? size - expected.size() : 0);
}

void StopOn(FakeHost& host, const std::string& call) {
    host.onCall = [&host, call](const std::string& made) {
        if (made == call) {
            host.running = false;
        }
    };
}

} // namespace

TEST(DiagRunTest, CompleteBareDomainRun) {
    FakeHost host;
    host.consoleOutput["cmd.exe /d /c ping example.invalid"] = "ping 1\r\n";
    host.consoleOutput["cmd.exe /d /c tracert -d example.invalid"] = "tracert 1\r\n";
    host.consoleOutput["cmd.exe /d /c ping www.example.invalid"] = "ping 2\r\n";
    host.consoleOutput["cmd.exe /d /c tracert -d www.example.invalid"] = "tracert 2\r\n";
    host.addresses["example.invalid"] = {"127.0.0.1"};
    host.listening.insert("127.0.0.1");

    RunDiagnostics("Example.INVALID", IsIpv4Address, host);

    const std::string expected = kSep + Header("ping example.invalid") + "ping 1\r\n" + kSep +
                                 Header("tracert -d example.invalid") + "tracert 1\r\n" + kSep +
                                 Attempt("example.invalid") +
                                 "连接 example.invalid 所在主机的80端口成功\r\n" + kSep +
                                 Header("ping www.example.invalid") + "ping 2\r\n" + kSep +
                                 Header("tracert -d www.example.invalid") + "tracert 2\r\n" + kSep +
                                 "无法解析www.example.invalid的主机IP\r\n" + kClosingCompleted;
    EXPECT_EQ(host.output, expected);
    const std::vector<std::string> calls{"run cmd.exe /d /c ping example.invalid",
                                         "run cmd.exe /d /c tracert -d example.invalid",
                                         "lookup example.invalid",
                                         "connect 127.0.0.1:80",
                                         "run cmd.exe /d /c ping www.example.invalid",
                                         "run cmd.exe /d /c tracert -d www.example.invalid",
                                         "lookup www.example.invalid"};
    EXPECT_EQ(host.calls, calls);
}

TEST(DiagRunTest, RefusedConnectionIsReported) {
    FakeHost host;
    host.addresses["127.0.0.1"] = {"127.0.0.1"};

    RunDiagnostics("127.0.0.1", IsIpv4Address, host);

    const std::string tail =
        kSep + Attempt("127.0.0.1") + "连接 127.0.0.1 所在主机的80端口失败\r\n" + kClosingCompleted;
    EXPECT_EQ(Ending(host, tail), tail);
}

TEST(DiagRunTest, ConsoleStepThatCannotStartLeavesItsHeaderAndTheWalkGoesOn) {
    FakeHost host;
    host.unstartable.insert("cmd.exe /d /c ping 127.0.0.1");
    host.consoleOutput["cmd.exe /d /c tracert -d 127.0.0.1"] = "tracert\r\n";

    RunDiagnostics("127.0.0.1", IsIpv4Address, host);

    const std::string start =
        kSep + Header("ping 127.0.0.1") + kSep + Header("tracert -d 127.0.0.1") + "tracert\r\n";
    EXPECT_EQ(host.output.substr(0, start.size()), start);
    EXPECT_EQ(host.calls.size(), 3u);
}

TEST(DiagRunTest, StopBeforeTheFirstStep) {
    FakeHost host;
    host.running = false;
    RunDiagnostics("example.invalid", IsIpv4Address, host);
    EXPECT_EQ(host.output, kClosingStopped);
    EXPECT_TRUE(host.calls.empty());
}

TEST(DiagRunTest, StopDuringConsoleOutputEndsTheWalk) {
    FakeHost host;
    host.consoleOutput["cmd.exe /d /c ping example.invalid"] = "ping\r\n";
    StopOn(host, "run cmd.exe /d /c ping example.invalid");

    RunDiagnostics("example.invalid", IsIpv4Address, host);

    EXPECT_EQ(host.output, kSep + Header("ping example.invalid") + "ping\r\n" + kClosingStopped);
    EXPECT_EQ(host.calls.size(), 1u);
}

TEST(DiagRunTest, StopDuringLookupSkipsTheConnect) {
    FakeHost resolved;
    resolved.addresses["127.0.0.1"] = {"127.0.0.1"};
    StopOn(resolved, "lookup 127.0.0.1");
    RunDiagnostics("127.0.0.1", IsIpv4Address, resolved);
    const std::string attempted = kSep + Attempt("127.0.0.1") + kClosingStopped;
    EXPECT_EQ(Ending(resolved, attempted), attempted);
    EXPECT_EQ(resolved.calls.back(), "lookup 127.0.0.1");

    FakeHost unresolved;
    StopOn(unresolved, "lookup example.invalid");
    RunDiagnostics("example.invalid", IsIpv4Address, unresolved);
    const std::string tail = kSep + "无法解析example.invalid的主机IP\r\n" + kClosingStopped;
    EXPECT_EQ(Ending(unresolved, tail), tail);
    EXPECT_EQ(unresolved.calls.back(), "lookup example.invalid");
}

TEST(DiagRunTest, StopDuringConnectLeavesNoResultLine) {
    FakeHost host;
    host.addresses["example.invalid"] = {"127.0.0.1"};
    host.listening.insert("127.0.0.1");
    StopOn(host, "connect 127.0.0.1:80");

    RunDiagnostics("example.invalid", IsIpv4Address, host);

    const std::string tail = kSep + Attempt("example.invalid") + kClosingStopped;
    EXPECT_EQ(Ending(host, tail), tail);
    EXPECT_EQ(host.calls.back(), "connect 127.0.0.1:80");
}

TEST(DiagRunTest, ProbeTriesEachAddressInTurnUntilOneConnects) {
    FakeHost host;
    host.addresses["example.invalid"] = {"::1", "127.0.0.2", "127.0.0.1", "127.0.0.3"};
    host.listening.insert("127.0.0.1");
    host.listening.insert("127.0.0.3");
    host.addresses["www.example.invalid"] = {"::1", "127.0.0.2"};

    RunDiagnostics("example.invalid", IsIpv4Address, host);

    const std::vector<std::string> connects{"connect ::1:80", "connect 127.0.0.2:80",
                                            "connect 127.0.0.1:80", "connect ::1:80",
                                            "connect 127.0.0.2:80"};
    std::vector<std::string> made;
    for (const std::string& call : host.calls) {
        if (call.rfind("connect ", 0) == 0) {
            made.push_back(call);
        }
    }
    EXPECT_EQ(made, connects);
    // One attempt line and one outcome per host, whatever the number of addresses.
    const std::string direct =
        Attempt("example.invalid") + "连接 example.invalid 所在主机的80端口成功\r\n" + kSep;
    EXPECT_NE(host.output.find(direct), std::string::npos) << host.output;
    const std::string www = kSep + Attempt("www.example.invalid") +
                            "连接 www.example.invalid 所在主机的80端口失败\r\n" + kClosingCompleted;
    EXPECT_EQ(Ending(host, www), www);
}

TEST(DiagRunTest, LookupWithoutAnyAddressIsUnresolved) {
    FakeHost host;
    host.addresses["::1"] = {};
    RunDiagnostics(
        "::1", [](const std::string&) { return true; }, host);
    const std::string tail = kSep + "无法解析::1的主机IP\r\n" + kClosingCompleted;
    EXPECT_EQ(Ending(host, tail), tail);
}

TEST(DiagRunTest, StopBetweenAddressesLeavesNoResultLine) {
    FakeHost host;
    host.addresses["127.0.0.1"] = {"::1", "127.0.0.1"};
    host.listening.insert("127.0.0.1");
    StopOn(host, "connect ::1:80");

    RunDiagnostics("127.0.0.1", IsIpv4Address, host);

    const std::string tail = kSep + Attempt("127.0.0.1") + kClosingStopped;
    EXPECT_EQ(Ending(host, tail), tail);
    EXPECT_EQ(host.calls.back(), "connect ::1:80");
}

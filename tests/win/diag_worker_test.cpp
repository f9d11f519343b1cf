#include "diag/diag_worker_win.h"

#include "diag/diag_messages_win.h"
#include "diag/run_captured_win.h"
#include "framework/fw_socket.h"
#include "framework/fw_text.h"
#include "report/report_file_win.h"
#include "tests/fakes/chatter_pattern.h"
#include "tests/win/port80_listener_win.h"

#include <gtest/gtest.h>

#include <winsock2.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

TEST(IsIpAddress, AcceptsEveryFormTheSystemParses) {
    for (const char* text : {"127.0.0.1", "10.0.0.1", "127.1", "0x7f.0.0.1", "0177.0.0.1"})
        EXPECT_TRUE(IsIpAddress(text)) << text;
}

// An IPv6 target is an address too, so it gets no "www." steps.
TEST(IsIpAddress, AcceptsIpv6Addresses) {
    for (const char* text :
         {"::1", "2001:db8::1", "2001:DB8::A", "fe80::1", "::ffff:127.0.0.1", "1:2:3:4:5:6:7:8"})
        EXPECT_TRUE(IsIpAddress(text)) << text;
    for (const char* text : {"1::2::3", ":::", "::1:", "12345::1", "1:2:3:4:5:6:7:8:9", "g::1"})
        EXPECT_FALSE(IsIpAddress(text)) << text;
}

TEST(IsIpAddress, RejectsNamesAndTheBroadcastAddress) {
    // The broadcast address is the system's own "not an address" answer.
    for (const char* text : {"255.255.255.255", "localhost", "example.com", ""})
        EXPECT_FALSE(IsIpAddress(text)) << text;
}

// Stands in for the dialog: a hidden window that keeps what a worker reports,
// taking the text from the run's feed when told and, like the dialog's timer,
// every few milliseconds while it waits.
class ReportWindow {
public:
    ReportWindow() {
        static const ATOM windowClass = RegisterOnce();
        m_hWnd = ::CreateWindowExA(0, MAKEINTATOM(windowClass), "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                   nullptr, ::GetModuleHandleA(nullptr), this);
    }
    ~ReportWindow() { ::DestroyWindow(m_hWnd); }
    ReportWindow(const ReportWindow&) = delete;
    ReportWindow& operator=(const ReportWindow&) = delete;

    HWND Handle() const { return m_hWnd; }

    // Handles messages until a run reports its end; false when none did in time.
    bool WaitForFinish(DWORD timeoutMs) {
        return WaitUntil([this] { return !finished.empty(); }, timeoutMs);
    }

    bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
        const DWORD begin = ::GetTickCount();
        while (!condition()) {
            const DWORD elapsed = ::GetTickCount() - begin;
            if (elapsed >= timeoutMs)
                return false;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&msg);
            Take();
        }
        return true;
    }

    std::string Transcript() const { return transcript; }

    const std::shared_ptr<OutputFeed> feed = std::make_shared<OutputFeed>();
    std::string transcript;
    // The run ids that the worker's notices of waiting text named.
    std::vector<WPARAM> notices;
    std::vector<WPARAM> finished;

private:
    static ATOM RegisterOnce() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &ReportWindow::Proc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TarnwickTestReport";
        return ::RegisterClassA(&windowClass);
    }

    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            ::SetWindowLongPtrA(hWnd, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<ReportWindow*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (self && message == WM_DIAG_APPEND) {
            self->notices.push_back(wParam);
            self->Take();
            return 0;
        }
        if (self && message == WM_DIAG_FINISHED) {
            // Everything the run wrote is in its feed by the time it ends.
            self->Take();
            self->finished.push_back(wParam);
            return 0;
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }

    void Take() {
        bool keepLooking = false;
        transcript += Narrow(feed->Take(&keepLooking));
    }

    HWND m_hWnd = nullptr;
};

// A worker adding far more than the feed holds before its dialog takes any.
struct Flood {
    static constexpr int kChunks = 12;
    OutputFeed* feed;
    HWND dialog;
    const RunTicket* ticket;

    static std::wstring Chunk(int i) { return std::wstring(4096, static_cast<wchar_t>('a' + i)); }
    static std::wstring All() {
        std::wstring all;
        for (int i = 0; i < kChunks; ++i)
            all += Chunk(i);
        return all;
    }
    static DWORD WINAPI Add(LPVOID param) {
        const auto* flood = static_cast<const Flood*>(param);
        for (int i = 0; i < kChunks; ++i)
            flood->feed->Add(Chunk(i), flood->dialog, *flood->ticket);
        return 0;
    }
};

TEST(OutputFeed, WorkerWaitsWhileTooMuchIsWaitingAndGoesOnAsTheDialogTakes) {
    ReportWindow dialog;
    OutputFeed feed;
    const RunTicket ticket(4);
    Flood flood{&feed, dialog.Handle(), &ticket};
    const HANDLE worker = ::CreateThread(nullptr, 0, &Flood::Add, &flood, 0, nullptr);
    ASSERT_TRUE(worker);
    EXPECT_EQ(::WaitForSingleObject(worker, 500), static_cast<DWORD>(WAIT_TIMEOUT));

    std::wstring taken;
    bool keepLooking = false;
    while (::WaitForSingleObject(worker, 10) == WAIT_TIMEOUT) {
        const std::wstring text = feed.Take(&keepLooking);
        EXPECT_LE(text.size(), diag::OutputQueue::kMinHighWater + 4096);
        taken += text;
    }
    ::CloseHandle(worker);
    taken += feed.Take(&keepLooking);
    EXPECT_EQ(taken, Flood::All());
}

TEST(OutputFeed, StoppedRunDoesNotWaitForTheDialog) {
    ReportWindow dialog;
    OutputFeed feed;
    RunTicket ticket(5);
    ticket.m_bRunning = false;
    Flood flood{&feed, dialog.Handle(), &ticket};
    Flood::Add(&flood);
    bool keepLooking = false;
    EXPECT_EQ(feed.Take(&keepLooking), Flood::All());
}

TEST(OutputFeed, ClosedDialogIsNotWaitedFor) {
    HWND closed = nullptr;
    {
        ReportWindow dialog;
        closed = dialog.Handle();
    }
    OutputFeed feed;
    const RunTicket ticket(6);
    Flood flood{&feed, closed, &ticket};
    Flood::Add(&flood);
    bool keepLooking = false;
    EXPECT_EQ(feed.Take(&keepLooking), Flood::All());
}

// A command's characters, split between the pipe's reads, reach the pane
// whole in the console's code page, as the system has it, and the report
// saved from the pane keeps them. Run on systems of several code pages (see
// CMakeLists.txt).
TEST(FeedSink, CommandOutputIsDecodedInTheConsolesCodePage) {
    const auto ticket = std::make_shared<RunTicket>(7);
    const RunParams params{ticket, nullptr, "", std::make_shared<OutputFeed>()};
    FeedSink console = CommandOutputSink(params);
    const char* fakes = std::getenv("TARNWICK_FAKES");
    ASSERT_TRUE(RunCaptured(
        std::string("cmd.exe /c ") + (fakes ? fakes : "") + "\\chatter.exe 20000", console));
    bool keepLooking = false;
    const std::wstring shown = params.feed->Take(&keepLooking);

    const std::string written = ChatterPattern(20000);
    std::wstring whole(written.size(), L'\0');
    whole.resize(static_cast<std::size_t>(
        ::MultiByteToWideChar(::GetOEMCP(), 0, written.data(), static_cast<int>(written.size()),
                              whole.data(), static_cast<int>(whole.size()))));
    EXPECT_EQ(shown, whole);

    // Saved as the report, the pane in UTF-8 beside it, for report_check.py (see CMakeLists.txt).
    if (const char* saved = std::getenv("TARNWICK_SAVED_PANE")) {
        EXPECT_TRUE(SaveReportFile(FromUtf8(saved) + L"-report.txt", shown));
        std::ofstream(std::string(saved) + "-pane.txt", std::ios::binary) << ToUtf8(shown);
    }
}

const char kSeparator[] = "\r\n--------------------------------------------\r\n";

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

std::string LastSection(const std::string& transcript) {
    const std::size_t at = transcript.rfind(kSeparator);
    return at == std::string::npos ? std::string() : transcript.substr(at + sizeof kSeparator - 1);
}

class DiagnosticThread : public ::testing::Test {
protected:
    bool Start(const std::shared_ptr<RunTicket>& ticket, const std::string& target) {
        return StartDiagnosticThread(
            std::make_unique<RunParams>(RunParams{ticket, window.Handle(), target, window.feed}));
    }

    bool WaitForProbe() {
        return window.WaitUntil([this] { return Contains(window.transcript, "尝试连接"); }, 30000);
    }

    // Runs the worker on its own thread, as the dialog does, and collects
    // its reports until it ends; probeMs, where asked, gets the time from the
    // probe's first line on.
    void RunToEnd(const std::shared_ptr<RunTicket>& ticket, const std::string& target,
                  DWORD* probeMs = nullptr) {
        ASSERT_TRUE(Start(ticket, target));
        ASSERT_TRUE(!probeMs || WaitForProbe());
        const DWORD probed = ::GetTickCount();
        ASSERT_TRUE(window.WaitForFinish(60000));
        if (probeMs)
            *probeMs = ::GetTickCount() - probed;
        ASSERT_EQ(window.finished, std::vector<WPARAM>{ticket->m_nId});
        EXPECT_FALSE(window.notices.empty());
        for (WPARAM notice : window.notices)
            EXPECT_EQ(notice, ticket->m_nId);
    }

    // A run to an address, or to a www. name, has three steps and ends with
    // the probe's section, which says whether it connected (成功) or not (失败).
    void ExpectProbeEnded(const std::string& host, const std::string& outcome) {
        const std::string transcript = window.Transcript();
        EXPECT_EQ(CountOf(transcript, kSeparator), 3u) << transcript;
        const std::string probe =
            "尝试连接 " + host + " 所在主机的80端口\r\n连接 " + host + " 所在主机的80端口";
        EXPECT_EQ(LastSection(transcript), probe + outcome + "\r\n\r\n所有命令运行完毕.\r\n");
    }

    ReportWindow window;
};

TEST_F(DiagnosticThread, ProbeReachesAListenerOnPort80) {
    Port80Listener listener("127.0.0.1");
    ASSERT_TRUE(listener.Listening());
    RunToEnd(std::make_shared<RunTicket>(7), "127.0.0.1");
    ExpectProbeEnded("127.0.0.1", "成功");
}

// A refused port is reported at once, not after the connect time-out.
TEST_F(DiagnosticThread, ProbeReportsFailureWithoutAListener) {
    DWORD probeMs = 0;
    RunToEnd(std::make_shared<RunTicket>(8), "127.0.0.1", &probeMs);
    ExpectProbeEnded("127.0.0.1", "失败");
    EXPECT_LT(probeMs, 1000u);
}

TEST_F(DiagnosticThread, Ipv6AddressIsProbedAndFailsWithoutAListener) {
    RunToEnd(std::make_shared<RunTicket>(10), "::1");
    ExpectProbeEnded("::1", "失败");
}

// The test's private hosts file (see CMakeLists.txt) gives this name ::1 and
// nothing else; only a listener on [::1]:80 can answer its probe.
TEST_F(DiagnosticThread, NameWithOnlyAnIpv6AddressIsProbedOverIpv6) {
    if (const char* why = std::getenv("TARNWICK_NO_PRIVATE_HOSTS"))
        GTEST_SKIP() << why;
    const char kName[] = "www.v6only.tarnwick.test";
    ASSERT_EQ(LookupAddresses(kName), std::vector<std::string>{"::1"})
        << "the private hosts file is missing";
    Port80Listener listener("::1");
    ASSERT_TRUE(listener.Listening());
    RunToEnd(std::make_shared<RunTicket>(11), kName);
    ExpectProbeEnded(kName, "成功");
}

// A dual-stack name whose IPv6 address does not answer: the hosts file gives
// ::1 first, then 127.0.0.1, and only 127.0.0.1 listens. The probe must go on
// to the second address, also when the first never answers at all (run again
// so, see CMakeLists.txt): then at once, not after the first one's time-out.
TEST_F(DiagnosticThread, ProbeTriesTheNextAddressWhenTheFirstDoesNotAnswer) {
    if (const char* why = std::getenv("TARNWICK_NO_PRIVATE_HOSTS"))
        GTEST_SKIP() << why;
    const char kName[] = "www.dualstack.tarnwick.test";
    EXPECT_EQ(LookupAddresses(kName), (std::vector<std::string>{"::1", "127.0.0.1"}))
        << "the private hosts file gives both, ::1 first";
    Port80Listener listener("127.0.0.1");
    ASSERT_TRUE(listener.Listening());
    DWORD probeMs = 0;
    RunToEnd(std::make_shared<RunTicket>(12), kName, &probeMs);
    ExpectProbeEnded(kName, "成功");
    EXPECT_LT(probeMs, 2000u);
}

// The address never answers (see CMakeLists.txt): Stop while the probe waits
// for it ends the run at once.
TEST_F(DiagnosticThread, StopWhileTheProbeWaitsEndsTheRunAtOnce) {
    const char* unanswered = std::getenv("TARNWICK_DROPPED_ADDRESS");
    if (!unanswered)
        GTEST_SKIP() << "needs an address that never answers";
    const auto ticket = std::make_shared<RunTicket>(14);
    ASSERT_TRUE(Start(ticket, unanswered));
    ASSERT_TRUE(WaitForProbe());
    ::Sleep(500);
    ticket->m_bRunning = false;
    const DWORD stopped = ::GetTickCount();
    ASSERT_TRUE(window.WaitForFinish(30000));
    EXPECT_LT(::GetTickCount() - stopped, 500u);
    EXPECT_EQ(LastSection(window.Transcript()),
              "尝试连接 " + std::string(unanswered) + " 所在主机的80端口\r\n\r\n中止命令.\r\n");
}

// A name in Chinese script is looked up in the form the name servers know (the
// private hosts file has its punycode form), and the commands get it as it was
// typed, on systems of any code page. The stand-in tracert echoes it where
// the console can write it.
TEST_F(DiagnosticThread, NameInChineseScriptIsLookedUpAndGivenToTheCommandsAsTyped) {
    if (const char* why = std::getenv("TARNWICK_NO_PRIVATE_HOSTS"))
        GTEST_SKIP() << why;
    const std::string name = "www.中文.tarnwick.test";
    EXPECT_EQ(LookupAddresses(name.c_str()), std::vector<std::string>{"127.0.0.1"});
    Port80Listener listener("127.0.0.1");
    ASSERT_TRUE(listener.Listening());
    RunToEnd(std::make_shared<RunTicket>(13), name);
    ExpectProbeEnded(name, "成功");

    BOOL lacking = FALSE;
    const std::wstring wide = Widen(name);
    ::WideCharToMultiByte(::GetOEMCP(), 0, wide.c_str(), -1, nullptr, 0, nullptr,
                          ::GetOEMCP() == CP_UTF8 ? nullptr : &lacking);
    if (!lacking) {
        EXPECT_TRUE(Contains(window.Transcript(), ::GetOEMCP() == 936
                                                      ? "跟踪到 " + name + " 的路由"
                                                      : "Tracing route to " + name + " over"))
            << window.Transcript();
    }
}

TEST_F(DiagnosticThread, RunStoppedBeforeItBeganOnlyReportsTheStop) {
    const auto ticket = std::make_shared<RunTicket>(9);
    ticket->m_bRunning = false;
    RunToEnd(ticket, "127.0.0.1");

    EXPECT_EQ(window.Transcript(), "\r\n中止命令.\r\n");
}

} // namespace

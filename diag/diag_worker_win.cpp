#include "diag/diag_worker_win.h"

#include "diag/diag_host.h"
#include "diag/diag_messages_win.h"
#include "diag/diag_run.h"
#include "diag/probe_connect.h"
#include "diag/run_captured_win.h"
#include "framework/fw_socket.h"
#include "framework/fw_text.h"

#include <memory>
#include <vector>

namespace {

// A probe's attempts, one socket each, kept in the order they were started.
// An attempt's socket is closed as soon as it has failed, and all of them
// when the probe is over.
class SocketAttempts : public diag::ConnectAttempts {
public:
    SocketAttempts(const RunTicket& ticket, unsigned short port) : m_ticket(ticket), m_port(port) {}

    bool Start(const std::string& address) override {
        m_sockets.push_back(std::make_unique<CAsyncSocket>());
        if (m_sockets.back()->Connect(address.c_str(), m_port))
            return true;
        m_sockets.back()->Close();
        return false;
    }

    End WaitForOne(unsigned waitMs, std::size_t* which) override {
        std::vector<SOCKET> sockets;
        for (const auto& each : m_sockets)
            sockets.push_back(each->m_hSocket);
        bool connected = false;
        const int ended = WaitForConnectResult(sockets, waitMs, &connected);
        if (ended < 0)
            return End::None;
        *which = static_cast<std::size_t>(ended);
        if (connected)
            return End::Connected;
        m_sockets[*which]->Close();
        return End::Failed;
    }

    std::size_t MaxUnderWay() const override { return FD_SETSIZE; }
    unsigned long long NowMs() const override { return ::GetTickCount64(); }
    bool Running() const override { return m_ticket.m_bRunning; }

private:
    const RunTicket& m_ticket;
    const unsigned short m_port;
    std::vector<std::unique_ptr<CAsyncSocket>> m_sockets;
};

// The system seen from one run's worker. It holds the dialog's window
// handle, never the dialog object, so a closed dialog only makes its
// messages fail.
class WorkerHost : public diag::DiagHost {
public:
    explicit WorkerHost(const RunParams& params)
        : m_params(params), m_lines(params, kTextCodePage) {}

    bool Running() const override { return m_params.ticket->m_bRunning; }

    // The run's own lines.
    void Append(const std::string& text) override { m_lines.Append(text); }

    bool RunConsole(const std::string& commandLine) override {
        FeedSink console = CommandOutputSink(m_params);
        return RunCaptured(commandLine, console);
    }

    bool Lookup(const std::string& host, std::vector<std::string>* addresses) override {
        *addresses = LookupAddresses(host.c_str());
        return !addresses->empty();
    }

    bool Connect(const std::vector<std::string>& addresses, unsigned short port) override {
        SocketAttempts attempts(*m_params.ticket, port);
        return diag::ConnectToFirstAnswering(addresses, attempts);
    }

private:
    const RunParams& m_params;
    FeedSink m_lines;
};

} // namespace

bool FeedSink::Running() const { return m_params.ticket->m_bRunning; }

// The worker goes on reading while the dialog puts the text into the pane.
void FeedSink::Append(const std::string& text) {
    m_params.feed->Add(Widen(m_codePage, text), m_params.hDialog, *m_params.ticket);
}

FeedSink CommandOutputSink(const RunParams& params) { return FeedSink(params, ConsoleCodePage()); }

BOOL IsIpAddress(const CString& text) { return IsIpv4Address(text) || IsIpv6Address(text); }

DWORD WINAPI DiagnosticThreadProc(LPVOID params) {
    const std::unique_ptr<RunParams> run(static_cast<RunParams*>(params));
    WorkerHost host(*run);
    diag::RunDiagnostics(
        run->target, [](const std::string& text) { return IsIpAddress(text.c_str()) != FALSE; },
        host);
    ::PostMessageW(run->hDialog, WM_DIAG_FINISHED, run->ticket->m_nId, 0);
    return 0;
}

bool StartDiagnosticThread(std::unique_ptr<RunParams> params) {
    const HANDLE thread =
        ::CreateThread(nullptr, 0, &DiagnosticThreadProc, params.get(), 0, nullptr);
    if (!thread)
        return false;
    params.release(); // the thread owns it now
    ::CloseHandle(thread);
    return true;
}

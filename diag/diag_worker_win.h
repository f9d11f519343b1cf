#pragma once

#include "diag/output_feed_win.h"
#include "diag/output_sink.h"
#include "diag/run_ticket.h"
#include "framework/fw_string.h"

#include <windows.h>

#include <memory>
#include <string>

// What a worker is given: its own ticket, the dialog's window to report to,
// the target as it was checked when the run started, and the feed its text
// goes to the dialog by.
struct RunParams {
    std::shared_ptr<RunTicket> ticket;
    HWND hDialog;
    std::string target;
    std::shared_ptr<OutputFeed> feed;
};

// One run's text on its way to the pane, decoded from the code page it was
// written in: the run's own lines are code page 936, the commands write in
// the console's.
class FeedSink : public diag::OutputSink {
public:
    FeedSink(const RunParams& params, UINT codePage) : m_params(params), m_codePage(codePage) {}

    bool Running() const override;
    void Append(const std::string& text) override;

private:
    const RunParams& m_params;
    const UINT m_codePage;
};

// Where the run's commands write: they write in the console's code page,
// whatever the program's.
FeedSink CommandOutputSink(const RunParams& params);

// Whether the text is an address rather than a name: IPv4 in any form the
// system accepts, or IPv6.
BOOL IsIpAddress(const CString& text);

// The run's thread: takes ownership of the RunParams it is given.
DWORD WINAPI DiagnosticThreadProc(LPVOID params);

// Starts a detached worker for the run; false if no thread could be made.
bool StartDiagnosticThread(std::unique_ptr<RunParams> params);

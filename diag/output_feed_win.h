#pragma once

#include "diag/output_queue.h"
#include "diag/run_ticket.h"

#include <windows.h>

#include <string>

// The road of a run's text from its worker to the dialog: the worker adds, and tells the dialog
// with WM_DIAG_APPEND when it must; the dialog takes. Held by both, so it outlives either.
class OutputFeed {
public:
    OutputFeed();
    ~OutputFeed();
    OutputFeed(const OutputFeed&) = delete;
    OutputFeed& operator=(const OutputFeed&) = delete;

    // Worker: adds text after what it added before. While the dialog has much text to take, it
    // waits for it to do so, unless the run has been stopped or the dialog is gone.
    void Add(const std::wstring& text, HWND dialog, const RunTicket& ticket);
    // Dialog: takes all the text waiting (see diag::OutputQueue::Take).
    std::wstring Take(bool* keepLooking);

private:
    CRITICAL_SECTION m_lock;
    diag::OutputQueue m_queue;
    // Set whenever the dialog has taken text, for a worker waiting on a full queue.
    HANDLE m_taken;
};

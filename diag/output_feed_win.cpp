#include "diag/output_feed_win.h"

#include "diag/diag_messages_win.h"

namespace {

// How often a waiting worker looks whether it should still wait.
const DWORD kWaitCheckMs = 50;

} // namespace

OutputFeed::OutputFeed() : m_taken(::CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
    ::InitializeCriticalSection(&m_lock);
}

OutputFeed::~OutputFeed() {
    ::DeleteCriticalSection(&m_lock);
    if (m_taken)
        ::CloseHandle(m_taken);
}

void OutputFeed::Add(const std::wstring& text, HWND dialog, const RunTicket& ticket) {
    ::EnterCriticalSection(&m_lock);
    const bool tell = m_queue.Add(text);
    bool full = m_queue.Full();
    ::LeaveCriticalSection(&m_lock);
    if (tell)
        ::PostMessageW(dialog, WM_DIAG_APPEND, ticket.m_nId, 0);

    while (full && ticket.m_bRunning && ::IsWindow(dialog)) {
        if (!m_taken || ::WaitForSingleObject(m_taken, kWaitCheckMs) == WAIT_FAILED)
            ::Sleep(kWaitCheckMs);
        ::EnterCriticalSection(&m_lock);
        full = m_queue.Full();
        ::LeaveCriticalSection(&m_lock);
    }
}

std::wstring OutputFeed::Take(bool* keepLooking) {
    ::EnterCriticalSection(&m_lock);
    std::wstring text = m_queue.Take(keepLooking);
    ::LeaveCriticalSection(&m_lock);
    if (!text.empty() && m_taken)
        ::SetEvent(m_taken);
    return text;
}

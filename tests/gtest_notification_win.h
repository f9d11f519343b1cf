#pragma once

// GoogleTest's own Notification needs std::mutex, which MinGW's win32 thread
// model lacks; GoogleTest takes this one instead, made of a Win32 event.
#include <windows.h>

namespace testing::internal {

class Notification {
public:
    Notification() : m_event(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { ::CloseHandle(m_event); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { ::SetEvent(m_event); }
    void WaitForNotification() { ::WaitForSingleObject(m_event, INFINITE); }

private:
    HANDLE m_event;
};

} // namespace testing::internal

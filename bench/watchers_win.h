#pragma once

#include <windows.h>

#include <atomic>
#include <vector>

namespace bench {

// Measures, on a thread of its own, how long a window's thread takes to answer WM_NULL, asking
// again 5 ms after each answer until stopped.
class AnswerProbe {
public:
    explicit AnswerProbe(HWND window);
    ~AnswerProbe() { Stop(); }
    AnswerProbe(const AnswerProbe&) = delete;
    AnswerProbe& operator=(const AnswerProbe&) = delete;

    // Stops asking; returns the longest answer in milliseconds.
    double Stop();

private:
    static DWORD WINAPI Loop(LPVOID self);

    HWND m_window;
    std::atomic<bool> m_stop{false};
    double m_longestMs = 0;
    HANDLE m_thread;
};

// Watches, on a thread of its own, what the screen shows of a window's client area, and notes
// every moment it changes.
class ScreenWatcher {
public:
    explicit ScreenWatcher(HWND window);
    ~ScreenWatcher() { Stop(); }
    ScreenWatcher(const ScreenWatcher&) = delete;
    ScreenWatcher& operator=(const ScreenWatcher&) = delete;

    // Stops watching; returns the moments of change in microseconds of the shared counter.
    const std::vector<long long>& Stop();

private:
    static DWORD WINAPI Loop(LPVOID self);
    unsigned long long Grab(HDC screen, HDC memory, const void* bits, int width, int height);

    HWND m_window;
    std::atomic<bool> m_stop{false};
    std::vector<long long> m_changes;
    HANDLE m_thread;
};

} // namespace bench

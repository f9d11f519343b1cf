#include "bench/watchers_win.h"

#include "bench/bench_clock_win.h"
#include "tests/e2e/driver_win.h"

namespace bench {

AnswerProbe::AnswerProbe(HWND window)
    : m_window(window), m_thread(::CreateThread(nullptr, 0, &AnswerProbe::Loop, this, 0, nullptr)) {
}

double AnswerProbe::Stop() {
    if (m_thread) {
        m_stop = true;
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
        m_thread = nullptr;
    }
    return m_longestMs;
}

DWORD WINAPI AnswerProbe::Loop(LPVOID param) {
    auto* self = static_cast<AnswerProbe*>(param);
    while (!self->m_stop) {
        const long long asked = NowMicros();
        DWORD_PTR ignored = 0;
        if (!::SendMessageTimeoutA(self->m_window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored))
            break;
        const double ms = static_cast<double>(NowMicros() - asked) / 1000.0;
        if (ms > self->m_longestMs)
            self->m_longestMs = ms;
        ::Sleep(5);
    }
    return 0;
}

ScreenWatcher::ScreenWatcher(HWND window)
    : m_window(window),
      m_thread(::CreateThread(nullptr, 0, &ScreenWatcher::Loop, this, 0, nullptr)) {}

const std::vector<long long>& ScreenWatcher::Stop() {
    if (m_thread) {
        m_stop = true;
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
        m_thread = nullptr;
    }
    return m_changes;
}

DWORD WINAPI ScreenWatcher::Loop(LPVOID param) {
    auto* self = static_cast<ScreenWatcher*>(param);
    RECT client;
    ::GetClientRect(self->m_window, &client);
    const int width = client.right;
    const int height = client.bottom;
    BITMAPINFO info = e2e::TopDownBitmapInfo(width, height);
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);

    unsigned long long last = self->Grab(screen, memory, bits, width, height);
    while (!self->m_stop) {
        const unsigned long long now = self->Grab(screen, memory, bits, width, height);
        if (now != last)
            self->m_changes.push_back(NowMicros());
        last = now;
        ::Sleep(1);
    }

    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return 0;
}

// A hash of the pixels the screen shows in the window's client area now.
unsigned long long ScreenWatcher::Grab(HDC screen, HDC memory, const void* bits, int width,
                                       int height) {
    POINT origin{0, 0};
    ::ClientToScreen(m_window, &origin);
    ::BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    ::GdiFlush();
    unsigned long long hash = 1469598103934665603ull;
    const auto* pixel = static_cast<const unsigned int*>(bits);
    for (int i = 0; i < width * height; ++i)
        hash = (hash ^ pixel[i]) * 1099511628211ull;
    return hash;
}

} // namespace bench

#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Drives the program from outside, the way a user would: through its
// windows, from another process.
namespace e2e {

// Checks the condition every 50 ms until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// A variable of the environment; empty when it is not set.
std::string Env(const char* name);

// A window's text by WM_GETTEXT, which also reads controls of another
// process (GetWindowText does not).
std::string WindowText(HWND window);

// Writes what the screen shows of the window to a 24-bit .bmp file; false
// when that failed or the picture came out blank.
bool SaveScreenshot(HWND window, const std::string& bmpPath);

class Program {
public:
    // Starts the program and waits for its main dialog; see Started().
    explicit Program(const std::string& exePath);
    // A program still running is ended by force.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return m_dialog != nullptr; }
    HWND Dialog() const { return m_dialog; }
    HWND Item(int id) const { return ::GetDlgItem(m_dialog, id); }

    void SetText(int id, const std::string& text);
    std::string Text(int id) const { return WindowText(Item(id)); }
    bool IsEnabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    // Clicks the button without waiting for the program to react; false
    // when it is disabled, since a user could not click it then.
    bool Click(int id);
    // Moves the keyboard focus to the control and presses Enter there;
    // false when the focus did not get there.
    bool PressEnterIn(int id);

    // The program's message box over the dialog, or null.
    HWND FindMessageBox() const;
    HWND WaitForMessageBox(DWORD timeoutMs) const;
    // Presses the box's OK button.
    void Answer(HWND box);

    // Asks the dialog to close, as its close box does.
    void RequestClose() { ::PostMessageA(m_dialog, WM_CLOSE, 0, 0); }
    // Waits for the process to end; false if it did not in time.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);

private:
    PROCESS_INFORMATION m_process{};
    HWND m_dialog = nullptr;
};

} // namespace e2e

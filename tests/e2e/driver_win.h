#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Drives the program from outside, the way a user would: through its
// windows, from another process. Its texts are code page 936, as the
// program's own; it speaks UTF-16 to the program's windows, so it reads them
// alike whatever the system's code page.
namespace e2e {

std::string To936(const std::wstring& text);
std::wstring From936(const std::string& bytes);

// How many times slower than usual the program may be: TARNWICK_TIME_SCALE,
// 1 when unset. An emulated program needs the patience; every time limit of
// the driver is multiplied by it.
DWORD TimeScale();

// Checks the condition every 50 ms until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// A variable of the environment; empty when it is not set.
std::string Env(const char* name);

// A window's class name and its caption (of a window of any process).
std::string ClassName(HWND window);
std::string Caption(HWND window);

// The first visible top-level window of the process that passes the test, or null.
HWND FindTopLevel(DWORD processId, const std::function<bool(HWND)>& wanted);

// Sends a message to a window of the program and waits for its answer, at
// most the scaled reply limit; a window that does not answer in time is
// named on standard error, and false returned.
bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result);

// A window's text by WM_GETTEXT, which also reads controls of another
// process (GetWindowText does not); empty when it did not answer.
std::string WindowText(HWND window);

// Ends the driver with a message naming what stalled when a call that has
// no time limit of its own (such as Wine's wait in CreateProcess for the new
// process to start) has not returned in time, instead of leaving the whole
// test to the test runner's limit.
class StallWatch {
public:
    StallWatch(const std::string& what, DWORD limitMs);
    ~StallWatch();
    StallWatch(const StallWatch&) = delete;
    StallWatch& operator=(const StallWatch&) = delete;

private:
    static DWORD WINAPI Watch(LPVOID param);

    const std::string m_what;
    const DWORD m_limitMs;
    const HANDLE m_done;
    const HANDLE m_thread;
};

// What the screen shows of a window, one COLORREF per pixel, rows top down.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    int Count(COLORREF colour) const;
};

// The header of a 32-bit bitmap whose rows run top down, as the screen is
// copied into.
BITMAPINFO TopDownBitmapInfo(int width, int height);

// Empty when the screen could not be read.
Picture Capture(HWND window);

// Writes what the screen shows of the window to a 24-bit .bmp file; false
// when that failed or the picture came out blank.
bool SaveScreenshot(HWND window, const std::string& bmpPath);

// Presses a button of a dialog by posting its click, so that a button that
// opens another dialog does not block the caller.
void PressButton(HWND dialog, int id);
// A key as the program's thread receives it, its target being a window of
// that thread.
void PressKey(HWND window, WPARAM key);
// The text of a message box.
std::string MessageText(HWND box);
// A file's bytes exactly as stored; false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string* bytes);
bool ReadFileBytes(const std::wstring& path, std::string* bytes);
// The names in a folder, sorted, without "." and "..".
std::vector<std::string> FolderEntries(const std::string& folder);

// Whether the process has loaded the DLL of that name (case aside).
bool HasLoaded(HANDLE process, const std::string& dll);

// What a screen reader hears of a window's client area, asking from this
// process as screen readers do: 0 and "" where there was no answer, texts
// in code page 936. With doDefaultAction it also has the action carried out.
struct Heard {
    LONG role = 0, state = 0;
    std::string name, value, defaultAction;
};
Heard Hear(HWND window, bool doDefaultAction = false);

class Program {
public:
    // Starts the program and waits for its main dialog; see Started().
    explicit Program(const std::string& exePath, DWORD startTimeoutMs = 30000);
    // A program still running is ended by force.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return m_dialog != nullptr; }
    HWND Dialog() const { return m_dialog; }
    HWND Item(int id) const { return ::GetDlgItem(m_dialog, id); }

    void SetText(int id, const std::string& text);
    void SetText(int id, const std::wstring& text);
    std::string Text(int id) const { return WindowText(Item(id)); }
    bool IsEnabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    // Clicks the button without waiting for the program to react; false
    // when it is disabled, since a user could not click it then.
    bool Click(int id);
    // Moves the keyboard focus to the control; false when it did not get there.
    bool FocusOn(int id);
    // The control that has the keyboard focus, or null.
    HWND Focused() const;
    // Moves the keyboard focus to the control and presses Enter there;
    // false when the focus did not get there.
    bool PressEnterIn(int id);

    // The program's message box over the dialog, or null.
    HWND FindMessageBox() const;
    HWND WaitForMessageBox(DWORD timeoutMs) const;
    // Presses the box's OK button.
    void Answer(HWND box);

    // A dialog of the program owned by the window that passes the test, or
    // null. The program's dialogs are all of the system's dialog class.
    HWND FindDialog(HWND owner, const std::function<bool(HWND)>& wanted) const;
    HWND WaitForDialog(HWND owner, const std::function<bool(HWND)>& wanted, DWORD timeoutMs) const;
    // The save dialog over the program's dialog, found by its file-name field.
    HWND WaitForSaveDialog(DWORD timeoutMs) const;
    // The save dialog's file-name field.
    std::string FileName(HWND saveDialog) const;
    void TypeFileName(HWND saveDialog, const std::string& fileName);
    void TypeFileName(HWND saveDialog, const std::wstring& fileName);
    // Types the name and presses Save.
    void SaveAs(HWND saveDialog, const std::string& fileName);
    void SaveAs(HWND saveDialog, const std::wstring& fileName);
    // The save dialog's question whether to replace an existing file.
    HWND WaitForOverwritePrompt(HWND saveDialog, DWORD timeoutMs) const;
    HWND FindAboutBox() const;
    HWND WaitForAboutBox(DWORD timeoutMs) const;
    // A tooltip the program shows, or null.
    HWND FindTooltip() const;
    // A command of the dialog's system menu, as choosing it there sends.
    void SystemCommand(WPARAM command, LPARAM detail = 0) {
        ::PostMessageA(m_dialog, WM_SYSCOMMAND, command, detail);
    }
    // A menu the program shows, such as its system menu, or null.
    HWND FindOpenMenu() const;
    // Whether the process is still there.
    bool IsAlive() const;
    HANDLE Process() const { return m_process.hProcess; }

    // Asks the dialog to close, as its close box does.
    void RequestClose() { ::PostMessageA(m_dialog, WM_CLOSE, 0, 0); }
    // Waits for the process to end; false if it did not in time.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);

private:
    PROCESS_INFORMATION m_process{};
    HWND m_dialog = nullptr;
};

} // namespace e2e

#pragma once

#include "framework/fw_message_map.h"
#include "framework/fw_string.h"

#include <windows.h>

// A window's text through WM_GETTEXT, which also reads a control that
// belongs to another thread; a character without a code page 936 form
// becomes '?'.
void ReadWindowText(HWND hWnd, CString& text);

// A window object: owns the link between a window handle and its message
// table. Windows are subclassed, so every message first meets the table and
// falls through to the window's own procedure when no entry handles it.
class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND m_hWnd = nullptr;

    // The object attached to a window handle, or null; null also for any
    // window of another process or one our hook does not run.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Attaches the object to an existing window and routes its messages
    // through the message table. PreSubclassWindow runs first.
    bool SubclassWindow(HWND hWnd);

    // Gives the message a chance to be handled before it is dispatched;
    // true when it was. Called by the modal loop for every window object on
    // the path from the message's target up to the dialog.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // The window procedure's own handling of the message being processed.
    LRESULT Default();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SetWindowText(const char* text);
    void GetWindowText(CString& text) const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsIconic() const;
    void GetClientRect(RECT* rect) const;
    HWND GetDlgItem(int id) const;
    void SetIcon(HICON icon, BOOL bigIcon);

protected:
    virtual void PreSubclassWindow();
    virtual const MessageMap* GetMessageMap() const;
    // Finds and calls the table's handler; false when there is none.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Hooks the window's procedure; the dialog does this once it exists.
    void Attach(HWND hWnd);

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The object in the window's property, unchecked: for our own hook only.
    static CWnd* ObjectOf(HWND hWnd);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Detach();
    // Hands a child control's notification or colour request back to the
    // child's own object when its table handles it.
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    const MessageEntry* FindEntry(UINT message, WPARAM wParam) const;

    WNDPROC m_pfnSuper = nullptr;
    MSG m_currentMsg{};
};

#pragma once

#include "framework/fw_window.h"

#include <windows.h>

// A device context the framework lends to a handler; it does not own it.
class CDC {
public:
    explicit CDC(HDC hDC) : m_hDC(hDC) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    void DrawIcon(int x, int y, HICON icon) { ::DrawIcon(m_hDC, x, y, icon); }

    const HDC m_hDC;
};

// Holds the paint record so that it exists before CDC is built from it.
struct PaintRecord {
    PAINTSTRUCT m_ps{};
};

// A paint device context for the duration of one WM_PAINT.
class CPaintDC : private PaintRecord, public CDC {
public:
    explicit CPaintDC(CWnd* wnd) : CDC(::BeginPaint(wnd->m_hWnd, &m_ps)), m_hWnd(wnd->m_hWnd) {}
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }

private:
    const HWND m_hWnd;
};

// A font the object owns.
class CFont {
public:
    CFont() = default;
    ~CFont() { DeleteObject(); }
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    bool CreateFontIndirect(const LOGFONTW* logFont) {
        DeleteObject();
        m_hObject = ::CreateFontIndirectW(logFont);
        return m_hObject != nullptr;
    }
    void DeleteObject() {
        if (m_hObject)
            ::DeleteObject(m_hObject);
        m_hObject = nullptr;
    }
    operator HFONT() const { return m_hObject; }

private:
    HFONT m_hObject = nullptr;
};

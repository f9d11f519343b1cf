#pragma once

#include "framework/fw_window.h"

class CStatic : public CWnd {};

// A tooltip window owned by the object.
class CToolTipCtrl : public CWnd {
public:
    ~CToolTipCtrl() override;
    bool Create(CWnd* parent, DWORD style = 0);
    // Adds a tool for the part rect of wnd's client area.
    bool AddTool(CWnd* wnd, const char* text, const RECT* rect, UINT id);
    void UpdateTipText(const char* text, CWnd* wnd, UINT id);
    void SetToolRect(CWnd* wnd, UINT id, const RECT* rect);
    // Lets the tooltip see a mouse message meant for one of its tools.
    void RelayEvent(MSG* pMsg);
};

class CEdit : public CWnd {
public:
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, start, end); }
    void ReplaceSel(const wchar_t* text, BOOL canUndo = FALSE) {
        SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    // Zero lifts the limit to the largest the control can hold.
    void SetLimitText(UINT maxChars) { SendMessage(EM_SETLIMITTEXT, maxChars); }
    // Positions count as the control counts, whatever the text's encoding.
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    int LineIndex(int line) const { return static_cast<int>(SendMessage(EM_LINEINDEX, line)); }
    // The length of the line holding the position, without its line break.
    int LineLength(int position) const {
        return static_cast<int>(SendMessage(EM_LINELENGTH, position));
    }
};

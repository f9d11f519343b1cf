#pragma once

#include "framework/fw_controls.h"
#include "framework/fw_gdi.h"
#include "linklabel/link_state.h"

class LinkAccessible;

// A static text control of a dialog made into a hyperlink: link, visited and
// hover colours, a hand cursor, its address as tooltip, fitted to its text,
// and a click opens the address. It can also be reached with Tab and opened
// with Enter or Space, showing the focus rectangle as buttons do. Screen
// readers learn that it is a link, where it leads and whether it was
// followed; under high contrast it takes the system's hyperlink colour; a
// new font (the display's scale changed) is made its own and fitted to.
class CLinkLabel : public CStatic {
public:
    // Whether the system shows high contrast. Tests set an answer of their
    // own: Wine cannot switch it on.
    static bool (*s_pfnHighContrastOn)();

    CLinkLabel() = default;
    ~CLinkLabel() override;

    void SetAddress(const CString& address);
    void SetLinkVisited(BOOL visited);
    void EnableUnderline(BOOL underline);
    // Resizes the window to its caption's text, keeping its alignment.
    void FitToText();
    void LoadHandCursor();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Opens the address with the shell, or else with the program registered
    // for web pages; returns the shell's or that program's result (above 32
    // means opened).
    static int OpenAddress(const char* address, int showCommand);
    // Reads the default value of key\subKey into output (at least MAX_PATH
    // bytes; may also be subKey); 0 or the registry's error code, and
    // ERROR_MORE_DATA for a value that does not fit with its terminating zero.
    static LONG ReadRegDefault(HKEY key, const char* subKey, char* output);
    static void ShowOpenError(int code);

protected:
    void PreSubclassWindow() override;
    DECLARE_MESSAGE_MAP()

private:
    void OnLabelClicked();
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnGetDlgCode(WPARAM, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM key, LPARAM flags);
    LRESULT OnFocusChange(WPARAM, LPARAM);
    LRESULT OnUpdateUiState(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnSetFont(WPARAM font, LPARAM redraw);
    LRESULT OnGetObject(WPARAM flags, LPARAM objectId);

    linklabel::LinkLook CurrentLook() const;
    // Makes the label's font from base, underlined or not, and gives it to
    // the control.
    void BuildFont(HFONT base, bool underline, BOOL redraw);
    // Fits the window to its caption again and moves the tooltip's area
    // with it.
    void Refit();
    void StoreVisited(BOOL visited);
    void DisconnectAccessible();
    void CreateTip();
    void ApplyHoverChange(linklabel::HoverChange change);
    void Redraw();

    friend class LinkAccessible;

    linklabel::HoverTracker m_hover;
    BOOL m_bLinkVisited = FALSE;
    BOOL m_bUnderlined = TRUE;
    const BOOL m_bFitToText = TRUE;
    CString m_strAddress;
    CFont m_fontLink;
    bool m_bFontUnderlined = false;
    HCURSOR m_hHandCursor = nullptr;
    CToolTipCtrl m_wndTip;
    RECT m_rectTip{};
    // Made at the first question of a screen reader; holds one reference.
    LinkAccessible* m_pAccessible = nullptr;
};

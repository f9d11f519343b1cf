#include "linklabel/link_label_win.h"

#include "framework/fw_app.h"
#include "framework/fw_system_dll.h"
#include "linklabel/link_geometry.h"
#include "linklabel/link_open.h"

#include <shellapi.h>

#include <cstring>

namespace {

const UINT kToolId = 1;
const UINT kHelpCursorId = 106;

} // namespace

CLinkLabel::CLinkLabel()
    : m_clrLink(linklabel::kLinkColor), m_clrVisited(linklabel::kVisitedColor),
      m_clrHot(::GetSysColor(COLOR_HIGHLIGHT)) {}

CLinkLabel::~CLinkLabel() {
    m_fontLink.DeleteObject();
    if (m_hHandCursor)
        ::DestroyCursor(m_hHandCursor);
}

// clang-format off
BEGIN_MESSAGE_MAP(CLinkLabel, CStatic)
    OnReflectedCommand<&CLinkLabel::OnLabelClicked>(STN_CLICKED),
    OnReflectedCtlColor<&CLinkLabel::CtlColor>(),
    OnMessage<&CLinkLabel::OnSetCursor>(WM_SETCURSOR),
    OnMessage<&CLinkLabel::OnMouseMove>(WM_MOUSEMOVE),
    OnMessage<&CLinkLabel::OnCaptureChanged>(WM_CAPTURECHANGED),
    OnMessage<&CLinkLabel::OnMouseLeave>(WM_MOUSELEAVE),
END_MESSAGE_MAP();
// clang-format on

void CLinkLabel::SetAddress(const CString& address) {
    m_strAddress = address;
    if (!::IsWindow(m_hWnd))
        return;
    FitToText();
    m_wndTip.UpdateTipText(m_strAddress, this, kToolId);
}

void CLinkLabel::SetLinkVisited(BOOL visited) {
    m_bLinkVisited = visited;
    if (::IsWindow(m_hWnd))
        Redraw();
}

void CLinkLabel::EnableUnderline(BOOL underline) {
    m_bUnderlined = underline;
    if (!::IsWindow(m_hWnd))
        return;
    BuildFont();
    Redraw();
}

void CLinkLabel::BuildFont() {
    // Read the window's current font before deleting ours: it may be ours.
    LOGFONTA logFont{};
    const auto current = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    ::GetObjectA(current ? current : ::GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
    logFont.lfUnderline = static_cast<BYTE>(m_bUnderlined);
    m_fontLink.CreateFontIndirect(&logFont);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_fontLink)), TRUE);
}

void CLinkLabel::PreSubclassWindow() {
    ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | SS_NOTIFY);

    if (m_strAddress.IsEmpty())
        GetWindowText(m_strAddress);
    CString caption;
    GetWindowText(caption);
    if (caption.IsEmpty())
        SetWindowText(m_strAddress);

    BuildFont();
    FitToText();
    LoadHandCursor();

    RECT client;
    GetClientRect(&client);
    m_wndTip.Create(this);
    m_wndTip.AddTool(this, m_strAddress, &client, kToolId);

    CStatic::PreSubclassWindow();
}

void CLinkLabel::FitToText() {
    if (!::IsWindow(m_hWnd) || !m_bFitToText)
        return;
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    if (const HWND parent = ::GetParent(m_hWnd))
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);

    CString caption;
    GetWindowText(caption);
    SIZE text{};
    const HDC dc = ::GetDC(m_hWnd);
    const HGDIOBJ previous = ::SelectObject(dc, static_cast<HFONT>(m_fontLink));
    ::GetTextExtentPoint32A(dc, caption, caption.GetLength(), &text);
    ::SelectObject(dc, previous);
    ::ReleaseDC(m_hWnd, dc);

    const auto style = static_cast<unsigned>(::GetWindowLongA(m_hWnd, GWL_STYLE));
    const linklabel::LabelRect fitted = linklabel::FitToText(
        {window.left, window.top, window.right, window.bottom}, text.cx, text.cy, style);
    ::SetWindowPos(m_hWnd, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                   fitted.bottom - fitted.top, SWP_NOZORDER);
}

void CLinkLabel::LoadHandCursor() {
    if (m_hHandCursor)
        return;
    char path[MAX_PATH] = "";
    const UINT length = ::GetWindowsDirectoryA(path, MAX_PATH);
    if (length > 0 && length + sizeof "\\winhlp32.exe" <= MAX_PATH) {
        ::lstrcatA(path, "\\winhlp32.exe");
        // Only its resources are wanted: no code of the help program is
        // mapped into ours.
        if (const HMODULE help = ::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
            if (const HCURSOR cursor = ::LoadCursorA(help, MAKEINTRESOURCEA(kHelpCursorId)))
                m_hHandCursor = ::CopyIcon(cursor);
            ::FreeLibrary(help);
        }
    }
    // Current systems ship a help program without that cursor, or none.
    if (!m_hHandCursor)
        m_hHandCursor = ::CopyIcon(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))); // IDC_HAND
}

BOOL CLinkLabel::PreTranslateMessage(MSG* pMsg) {
    m_wndTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

HBRUSH CLinkLabel::CtlColor(CDC* pDC, UINT) {
    pDC->SetTextColor(
        linklabel::TextColor(m_hover.IsHot(), m_bLinkVisited, m_clrLink, m_clrVisited, m_clrHot));
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CLinkLabel::OnSetCursor(CWnd*, UINT, UINT) {
    if (!m_hHandCursor)
        return FALSE;
    ::SetCursor(m_hHandCursor);
    return TRUE;
}

void CLinkLabel::OnMouseMove(UINT, CPoint point) {
    Default();
    RECT client;
    GetClientRect(&client);
    ApplyHoverChange(m_hover.OnMouseMove(::PtInRect(&client, point) != FALSE));
}

LRESULT CLinkLabel::OnCaptureChanged(WPARAM, LPARAM) {
    ApplyHoverChange(m_hover.OnCaptureLost());
    return 0;
}

LRESULT CLinkLabel::OnMouseLeave(WPARAM, LPARAM) {
    ApplyHoverChange(m_hover.OnMouseLeave());
    return 0;
}

void CLinkLabel::ApplyHoverChange(linklabel::HoverChange change) {
    switch (change) {
    case linklabel::HoverChange::None:
        break;
    case linklabel::HoverChange::Began: {
        Redraw();
        ::SetCapture(m_hWnd);
        TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&leave);
        break;
    }
    case linklabel::HoverChange::Ended:
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        Redraw();
        break;
    }
}

void CLinkLabel::Redraw() {
    // The label paints no background of its own (its colour answer is the
    // null brush), so the dialog must paint what lies behind it first:
    // otherwise the new text lands on the old, whose anti-aliased edges and
    // underline stay visible.
    RECT area;
    ::GetWindowRect(m_hWnd, &area);
    const HWND parent = ::GetParent(m_hWnd);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    ::RedrawWindow(parent, &area, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CLinkLabel::OnLabelClicked() {
    const int result = OpenAddress(m_strAddress, SW_SHOW);
    m_bLinkVisited = result > 32;
    if (m_bLinkVisited) {
        SetLinkVisited(TRUE);
        return;
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    ShowOpenError(result);
}

int CLinkLabel::OpenAddress(const char* address, int showCommand) {
    using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    const auto shellExecute = SystemFunction<ShellExecuteFunction>("shell32.dll", "ShellExecuteA");
    // Without the shell, the registered browser is tried as after any
    // failure of the shell's.
    const auto shell = shellExecute ? reinterpret_cast<INT_PTR>(shellExecute(
                                          nullptr, "open", address, nullptr, nullptr, showCommand))
                                    : SE_ERR_DLLNOTFOUND;
    const int result = static_cast<int>(shell);
    if (static_cast<UINT_PTR>(shell) > 32)
        return result;

    char command[linklabel::kCommandBufferSize] = "";
    if (ReadRegDefault(HKEY_CLASSES_ROOT, ".htm", command) != ERROR_SUCCESS)
        return result;
    ::lstrcatA(command, "\\shell\\open\\command");
    if (ReadRegDefault(HKEY_CLASSES_ROOT, command, command) != ERROR_SUCCESS)
        return result;
    std::string composed;
    // A command that would not fit is not started; the user hears why the
    // shell could not open the address.
    if (!linklabel::ComposeFallbackCommand(command, address, &composed))
        return result;
    return static_cast<int>(::WinExec(composed.c_str(), static_cast<UINT>(showCommand)));
}

LONG CLinkLabel::ReadRegDefault(HKEY key, const char* subKey, char* output) {
    HKEY opened = nullptr;
    const LONG openResult = ::RegOpenKeyExA(key, subKey, 0, KEY_QUERY_VALUE, &opened);
    if (openResult != ERROR_SUCCESS)
        return openResult;
    char value[MAX_PATH] = "";
    LONG size = MAX_PATH;
    const LONG queryResult = ::RegQueryValueA(opened, nullptr, value, &size);
    ::RegCloseKey(opened);
    if (queryResult != ERROR_SUCCESS)
        return queryResult;
    // A value stored without its terminating zero can fill the whole buffer
    // and come back unterminated; it does not fit, like a longer one.
    const char* end = static_cast<const char*>(std::memchr(value, '\0', sizeof value));
    if (!end)
        return ERROR_MORE_DATA;
    std::memcpy(output, value, static_cast<std::size_t>(end - value) + 1);
    return ERROR_SUCCESS;
}

void CLinkLabel::ShowOpenError(int code) {
    AfxMessageBox(linklabel::OpenErrorMessage(code).c_str(), MB_ICONEXCLAMATION);
}

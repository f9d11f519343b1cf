#include "linklabel/link_label_win.h"

#include "framework/fw_app.h"
#include "framework/fw_system_dll.h"
#include "framework/fw_text.h"
#include "linklabel/link_accessible_win.h"
#include "linklabel/link_geometry.h"
#include "linklabel/link_open.h"

#include <shellapi.h>

#include <cstring>

namespace {

const UINT kToolId = 1;
const UINT kHelpCursorId = 106;

bool SystemHighContrastOn() {
    HIGHCONTRASTW contrast{sizeof contrast, 0, nullptr};
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace

bool (*CLinkLabel::s_pfnHighContrastOn)() = &SystemHighContrastOn;

CLinkLabel::~CLinkLabel() {
    DisconnectAccessible();
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
    OnMessage<&CLinkLabel::OnGetDlgCode>(WM_GETDLGCODE),
    OnMessage<&CLinkLabel::OnKeyDown>(WM_KEYDOWN),
    OnMessage<&CLinkLabel::OnFocusChange>(WM_SETFOCUS),
    OnMessage<&CLinkLabel::OnFocusChange>(WM_KILLFOCUS),
    OnMessage<&CLinkLabel::OnUpdateUiState>(WM_UPDATEUISTATE),
    OnMessage<&CLinkLabel::OnPaint>(WM_PAINT),
    OnMessage<&CLinkLabel::OnSetFont>(WM_SETFONT),
    OnMessage<&CLinkLabel::OnGetObject>(WM_GETOBJECT),
END_MESSAGE_MAP();
// clang-format on

void CLinkLabel::SetAddress(const CString& address) {
    m_strAddress = address;
    if (!::IsWindow(m_hWnd))
        return;
    FitToText();
    if (m_wndTip.m_hWnd)
        m_wndTip.UpdateTipText(m_strAddress, this, kToolId);
}

void CLinkLabel::SetLinkVisited(BOOL visited) {
    StoreVisited(visited);
    if (::IsWindow(m_hWnd))
        Redraw();
}

// Screen readers hear of it when the link becomes visited or not.
void CLinkLabel::StoreVisited(BOOL visited) {
    const bool changed = (m_bLinkVisited != FALSE) != (visited != FALSE);
    m_bLinkVisited = visited;
    if (changed && ::IsWindow(m_hWnd))
        ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}

void CLinkLabel::EnableUnderline(BOOL underline) {
    m_bUnderlined = underline;
    if (!::IsWindow(m_hWnd))
        return;
    BuildFont(m_fontLink, CurrentLook().underlined, TRUE);
    Redraw();
}

void CLinkLabel::BuildFont(HFONT base, bool underline, BOOL redraw) {
    // Read the base before deleting ours: it may be ours.
    LOGFONTW logFont{};
    ::GetObjectW(base ? base : ::GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
    logFont.lfUnderline = underline;
    m_fontLink.CreateFontIndirect(&logFont);
    m_bFontUnderlined = underline;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_fontLink)), redraw);
}

linklabel::LinkLook CLinkLabel::CurrentLook() const {
    // Read at every use: a theme changed while the program runs shows at once.
    const linklabel::SystemColors system{s_pfnHighContrastOn(), ::GetSysColor(COLOR_HOTLIGHT),
                                         ::GetSysColor(COLOR_HIGHLIGHT)};
    return linklabel::LookOf(m_hover.IsHot(), m_bLinkVisited, m_bUnderlined, system);
}

void CLinkLabel::PreSubclassWindow() {
    ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | SS_NOTIFY);

    if (m_strAddress.IsEmpty())
        GetWindowText(m_strAddress);
    CString caption;
    GetWindowText(caption);
    if (caption.IsEmpty())
        SetWindowText(m_strAddress);

    BuildFont(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)), CurrentLook().underlined, TRUE);
    FitToText();
    // The hand cursor and the tooltip wait for the pointer to come over the
    // label: start-up need not read the help program's resources nor make a
    // window. The tooltip covers the label as it is fitted now.
    GetClientRect(&m_rectTip);

    CStatic::PreSubclassWindow();
}

// A tooltip window costs the dialog's start a good part of its time, and
// many users never point at the link.
void CLinkLabel::CreateTip() {
    m_wndTip.Create(this);
    m_wndTip.AddTool(this, m_strAddress, &m_rectTip, kToolId);
}

void CLinkLabel::FitToText() {
    if (!::IsWindow(m_hWnd) || !m_bFitToText)
        return;
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    if (const HWND parent = ::GetParent(m_hWnd))
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);

    const std::wstring caption = WindowTextWide(m_hWnd);
    SIZE text{};
    const HDC dc = ::GetDC(m_hWnd);
    const HGDIOBJ previous = ::SelectObject(dc, static_cast<HFONT>(m_fontLink));
    ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
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
    if (pMsg->message == WM_MOUSEMOVE && !m_wndTip.m_hWnd)
        CreateTip();
    if (m_wndTip.m_hWnd)
        m_wndTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

HBRUSH CLinkLabel::CtlColor(CDC* pDC, UINT) {
    pDC->SetTextColor(CurrentLook().text);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CLinkLabel::OnSetCursor(CWnd*, UINT, UINT) {
    LoadHandCursor();
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

LRESULT CLinkLabel::OnGetDlgCode(WPARAM, LPARAM lParam) {
    // Enter on the focused label opens it instead of pressing the dialog's
    // default button; every other key is the dialog's as for any static.
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    const LRESULT code = Default();
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
        return code | DLGC_WANTMESSAGE;
    return code;
}

LRESULT CLinkLabel::OnKeyDown(WPARAM key, LPARAM flags) {
    // A held key repeats its WM_KEYDOWN: the address opens once.
    const bool repeated = (flags & (1 << 30)) != 0;
    if (key != VK_RETURN && key != VK_SPACE)
        return Default();
    if (!repeated)
        OnLabelClicked();
    return 0;
}

LRESULT CLinkLabel::OnFocusChange(WPARAM, LPARAM) {
    const LRESULT result = Default();
    Redraw();
    return result;
}

// The keyboard cues were shown or hidden: the focus rectangle with them.
LRESULT CLinkLabel::OnUpdateUiState(WPARAM, LPARAM) {
    const LRESULT result = Default();
    if (::GetFocus() == m_hWnd)
        Redraw();
    return result;
}

LRESULT CLinkLabel::OnPaint(WPARAM, LPARAM) {
    // The focus rectangle is drawn by inverting pixels, so it goes only
    // where the control has just painted anew.
    const HRGN update = ::CreateRectRgn(0, 0, 0, 0);
    ::GetUpdateRgn(m_hWnd, update, FALSE);
    // Under high contrast hover comes and goes with the underline.
    if (const bool underline = CurrentLook().underlined; underline != m_bFontUnderlined)
        BuildFont(m_fontLink, underline, FALSE);
    const LRESULT result = Default();
    const bool cuesShown = (SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS) == 0;
    if (::GetFocus() == m_hWnd && cuesShown) {
        RECT client;
        GetClientRect(&client);
        const HDC dc = ::GetDC(m_hWnd);
        ::SelectClipRgn(dc, update);
        ::DrawFocusRect(dc, &client);
        ::ReleaseDC(m_hWnd, dc);
    }
    ::DeleteObject(update);
    return result;
}

// The dialog gives its controls a new font when the display's scale changes.
LRESULT CLinkLabel::OnSetFont(WPARAM font, LPARAM redraw) {
    const auto given = reinterpret_cast<HFONT>(font);
    if (given == m_fontLink)
        return Default();
    BuildFont(given, CurrentLook().underlined, FALSE);
    Refit();
    if (redraw)
        Redraw();
    return 0;
}

void CLinkLabel::Refit() {
    FitToText();
    GetClientRect(&m_rectTip);
    if (m_wndTip.m_hWnd)
        m_wndTip.SetToolRect(this, kToolId, &m_rectTip);
}

LRESULT CLinkLabel::OnGetObject(WPARAM flags, LPARAM objectId) {
    // The id is 32 bits wide, whatever the width of the parameter.
    if (static_cast<DWORD>(objectId) != static_cast<DWORD>(OBJID_CLIENT))
        return Default();
    if (!m_pAccessible)
        m_pAccessible = LinkAccessible::Create(this);
    return m_pAccessible ? m_pAccessible->Answer(flags) : Default();
}

// A screen reader may hold the accessible object longer than the label
// lives: from now on it answers that the label is gone.
void CLinkLabel::DisconnectAccessible() {
    if (!m_pAccessible)
        return;
    m_pAccessible->Disconnect();
    m_pAccessible->Release();
    m_pAccessible = nullptr;
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
    StoreVisited(result > 32);
    if (m_bLinkVisited) {
        SetLinkVisited(TRUE);
        return;
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    ShowOpenError(result);
}

int CLinkLabel::OpenAddress(const char* address, int showCommand) {
    using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    InitializeComForUiThread();
    const auto shellExecute = SystemFunction<ShellExecuteFunction>("shell32.dll", "ShellExecuteW");
    // Without the shell, the registered browser is tried as after any
    // failure of the shell's.
    const auto shell =
        shellExecute ? reinterpret_cast<INT_PTR>(shellExecute(
                           nullptr, L"open", Widen(address).c_str(), nullptr, nullptr, showCommand))
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

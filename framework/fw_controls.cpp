#include "framework/fw_controls.h"

#include "framework/fw_text.h"

#include <commctrl.h>

namespace {

TOOLINFOW ToolInfo(CWnd* wnd, UINT id, const std::wstring& text) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = wnd->m_hWnd;
    info.uId = id;
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    return info;
}

} // namespace

CToolTipCtrl::~CToolTipCtrl() {
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

bool CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    m_hWnd = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent->m_hWnd, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    return m_hWnd != nullptr;
}

bool CToolTipCtrl::AddTool(CWnd* wnd, const char* text, const RECT* rect, UINT id) {
    const std::wstring wide = Widen(text);
    TOOLINFOW info = ToolInfo(wnd, id, wide);
    info.rect = *rect;
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* wnd, UINT id) {
    const std::wstring wide = Widen(text);
    TOOLINFOW info = ToolInfo(wnd, id, wide);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT id, const RECT* rect) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = wnd->m_hWnd;
    info.uId = id;
    info.rect = *rect;
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::RelayEvent(MSG* pMsg) {
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
}

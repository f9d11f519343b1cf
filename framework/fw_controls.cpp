#include "framework/fw_controls.h"

#include <commctrl.h>

namespace {

TOOLINFOA ToolInfo(CWnd* wnd, UINT id, const char* text) {
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = wnd->m_hWnd;
    info.uId = id;
    info.lpszText = const_cast<char*>(text);
    return info;
}

} // namespace

CToolTipCtrl::~CToolTipCtrl() {
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

bool CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    m_hWnd = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent->m_hWnd, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
    return m_hWnd != nullptr;
}

bool CToolTipCtrl::AddTool(CWnd* wnd, const char* text, const RECT* rect, UINT id) {
    TOOLINFOA info = ToolInfo(wnd, id, text);
    info.rect = *rect;
    return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* wnd, UINT id) {
    TOOLINFOA info = ToolInfo(wnd, id, text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::RelayEvent(MSG* pMsg) {
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
}

#include "framework/fw_window.h"

#include "framework/fw_text.h"

namespace {

const char kObjectProperty[] = "Tarnwick.CWnd";

bool IsCommandEntry(UINT message) {
    return message == WM_COMMAND || message == WM_COMMAND + kReflectBase;
}

} // namespace

CWnd::~CWnd() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    // Any window may carry a property of this name, another process's among them, and a
    // handle in a message may name any window. Only a window of this process that our hook
    // still runs holds one of our objects.
    if (!hWnd)
        return nullptr;
    DWORD process = 0;
    ::GetWindowThreadProcessId(hWnd, &process);
    if (process != ::GetCurrentProcessId() ||
        ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&CWnd::WindowProc))
        return nullptr;
    return ObjectOf(hWnd);
}

CWnd* CWnd::ObjectOf(HWND hWnd) { return static_cast<CWnd*>(::GetPropA(hWnd, kObjectProperty)); }

bool CWnd::SubclassWindow(HWND hWnd) {
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd))
        return false;
    m_hWnd = hWnd;
    PreSubclassWindow();
    Attach(hWnd);
    return true;
}

// The hook is a wide window procedure, like everything else the framework creates: the controls
// keep their text in UTF-16, and the program hands them its code page 936 texts converted
// explicitly, never through the system's ANSI code page.
void CWnd::Attach(HWND hWnd) {
    m_hWnd = hWnd;
    ::SetPropA(hWnd, kObjectProperty, this);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WindowProc)));
}

void CWnd::Detach() {
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ::RemovePropA(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

const MessageMap* CWnd::GetMessageMap() const {
    static const MessageMap map{nullptr, nullptr, 0};
    return &map;
}

LRESULT CALLBACK CWnd::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only the windows we hooked come here, so the property is ours; a hook
    // placed on top of ours may have become the window's procedure since.
    CWnd* self = ObjectOf(hWnd);
    if (!self)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT CWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Messages nest (a handler may send another), so Default() must see the
    // one its own handler is answering.
    const MSG outer = m_currentMsg;
    m_currentMsg = MSG{m_hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    m_currentMsg = outer;
    if (message == WM_NCDESTROY)
        Detach();
    return result;
}

LRESULT CWnd::Default() {
    return ::CallWindowProcW(m_pfnSuper, m_hWnd, m_currentMsg.message, m_currentMsg.wParam,
                             m_currentMsg.lParam);
}

const MessageEntry* CWnd::FindEntry(UINT message, WPARAM wParam) const {
    for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const MessageEntry& entry = map->entries[i];
            if (entry.message != message)
                continue;
            if (!IsCommandEntry(message) ||
                (entry.code == HIWORD(wParam) && entry.id == LOWORD(wParam)))
                return &entry;
        }
    }
    return nullptr;
}

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
    if (!child || child == this)
        return false;
    const UINT reflected = message + kReflectBase;
    // The child's table knows a notification by its code alone.
    const WPARAM key = message == WM_COMMAND ? MAKEWPARAM(0, HIWORD(wParam)) : wParam;
    const MessageEntry* entry = child->FindEntry(reflected, key);
    if (!entry)
        return false;
    *result = entry->call(child, wParam, lParam);
    return true;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if ((message == WM_COMMAND || message == WM_CTLCOLORSTATIC) && lParam != 0 &&
        ReflectToChild(message, wParam, lParam, result))
        return true;
    const MessageEntry* entry = FindEntry(message, wParam);
    if (!entry)
        return false;
    *result = entry->call(this, wParam, lParam);
    return true;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

void CWnd::SetWindowText(const char* text) { ::SetWindowTextW(m_hWnd, Widen(text).c_str()); }

void ReadWindowText(HWND hWnd, CString& text) { text = Narrow(WindowTextWide(hWnd)).c_str(); }

void CWnd::GetWindowText(CString& text) const { ReadWindowText(m_hWnd, text); }

BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

void CWnd::GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }

HWND CWnd::GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

void CWnd::SetIcon(HICON icon, BOOL bigIcon) {
    SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

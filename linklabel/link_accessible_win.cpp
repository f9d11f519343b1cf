#include "linklabel/link_accessible_win.h"

#include "framework/fw_system_dll.h"
#include "framework/fw_text.h"
#include "linklabel/link_label_win.h"

#include <iterator>
#include <string>

namespace {

// How a screen reader names the default action.
const wchar_t kDefaultAction[] = L"跳转";

// Texts handed to a client are COM's own strings, which it frees.
HRESULT NewString(const wchar_t* text, std::size_t length, BSTR* out) {
    using AllocateFunction = BSTR(WINAPI*)(const OLECHAR*, UINT);
    const auto allocate = SystemFunction<AllocateFunction>("oleaut32.dll", "SysAllocStringLen");
    *out = allocate ? allocate(text, static_cast<UINT>(length)) : nullptr;
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT SetLong(VARIANT* variant, LONG value) {
    variant->vt = VT_I4;
    variant->lVal = value;
    return S_OK;
}

} // namespace

// The accessibility library and COM are loaded when a screen reader first
// asks, never at start-up.
LinkAccessible* LinkAccessible::Create(CLinkLabel* label) {
    InitializeComForUiThread();
    using CreateFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    const auto create = SystemFunction<CreateFunction>("oleacc.dll", "CreateStdAccessibleObject");
    void* standard = nullptr;
    if (!create || FAILED(create(label->m_hWnd, OBJID_CLIENT, __uuidof(IAccessible), &standard)))
        return nullptr;
    return new LinkAccessible(label, static_cast<IAccessible*>(standard));
}

LRESULT LinkAccessible::Answer(WPARAM flags) {
    using AnswerFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    const auto answer = SystemFunction<AnswerFunction>("oleacc.dll", "LresultFromObject");
    return answer ? answer(__uuidof(IAccessible), flags, this) : 0;
}

void LinkAccessible::Disconnect() { m_label = nullptr; }

HRESULT LinkAccessible::QueryInterface(REFIID iid, void** object) {
    if (iid != __uuidof(IUnknown) && iid != __uuidof(IDispatch) && iid != __uuidof(IAccessible)) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
}

ULONG LinkAccessible::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_references)); }

ULONG LinkAccessible::Release() {
    const LONG left = ::InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

// Clients call the interface's methods directly; there is no type library
// to invoke them by name.
HRESULT LinkAccessible::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT LinkAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT LinkAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT LinkAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                               UINT*) {
    return E_NOTIMPL;
}

HRESULT LinkAccessible::Check(const VARIANT& child) const {
    // The label's window goes before the label (it has let go of it then).
    if (!m_label || !::IsWindow(m_label->m_hWnd))
        return CO_E_OBJNOTCONNECTED;
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF ? S_OK : E_INVALIDARG;
}

HRESULT LinkAccessible::get_accParent(IDispatch** parent) {
    return Forward(&IAccessible::get_accParent, parent);
}

HRESULT LinkAccessible::get_accChildCount(LONG* count) {
    return Forward(&IAccessible::get_accChildCount, count);
}

HRESULT LinkAccessible::get_accChild(VARIANT child, IDispatch** object) {
    return Forward(&IAccessible::get_accChild, child, object);
}

// The caption, as the standard object reads a static control's.
HRESULT LinkAccessible::get_accName(VARIANT child, BSTR* name) {
    return Forward(&IAccessible::get_accName, child, name);
}

HRESULT LinkAccessible::get_accValue(VARIANT child, BSTR* value) {
    const HRESULT checked = Check(child);
    if (FAILED(checked))
        return checked;
    const std::wstring address = Widen(m_label->m_strAddress.str());
    return NewString(address.data(), address.size(), value);
}

HRESULT LinkAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return Forward(&IAccessible::get_accDescription, child, description);
}

HRESULT LinkAccessible::get_accRole(VARIANT child, VARIANT* role) {
    const HRESULT checked = Check(child);
    return FAILED(checked) ? checked : SetLong(role, ROLE_SYSTEM_LINK);
}

HRESULT LinkAccessible::get_accState(VARIANT child, VARIANT* state) {
    const HRESULT checked = Check(child);
    if (FAILED(checked))
        return checked;
    LONG flags = STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE;
    if (::GetFocus() == m_label->m_hWnd)
        flags |= STATE_SYSTEM_FOCUSED;
    if (m_label->m_bLinkVisited)
        flags |= STATE_SYSTEM_TRAVERSED;
    return SetLong(state, flags);
}

HRESULT LinkAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return Forward(&IAccessible::get_accHelp, child, help);
}

HRESULT LinkAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return Forward(&IAccessible::get_accHelpTopic, file, child, topic);
}

HRESULT LinkAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return Forward(&IAccessible::get_accKeyboardShortcut, child, shortcut);
}

HRESULT LinkAccessible::get_accFocus(VARIANT* child) {
    return Forward(&IAccessible::get_accFocus, child);
}

HRESULT LinkAccessible::get_accSelection(VARIANT* children) {
    return Forward(&IAccessible::get_accSelection, children);
}

HRESULT LinkAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    const HRESULT checked = Check(child);
    return FAILED(checked) ? checked
                           : NewString(kDefaultAction, std::size(kDefaultAction) - 1, action);
}

// As Tab does: through the dialog, which moves its default button along.
HRESULT LinkAccessible::accSelect(LONG flags, VARIANT child) {
    const HRESULT checked = Check(child);
    if (FAILED(checked))
        return checked;
    if (flags != SELFLAG_TAKEFOCUS)
        return DISP_E_MEMBERNOTFOUND;
    const HWND label = m_label->m_hWnd;
    ::SendMessageW(::GetParent(label), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(label), TRUE);
    return S_OK;
}

HRESULT LinkAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                    VARIANT child) {
    return Forward(&IAccessible::accLocation, left, top, width, height, child);
}

HRESULT LinkAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return Forward(&IAccessible::accNavigate, direction, start, end);
}

HRESULT LinkAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
    return Forward(&IAccessible::accHitTest, x, y, child);
}

// Posted as the label's click: opening may show a message box, whose loop
// must not run inside the client's call.
HRESULT LinkAccessible::accDoDefaultAction(VARIANT child) {
    const HRESULT checked = Check(child);
    if (FAILED(checked))
        return checked;
    const HWND label = m_label->m_hWnd;
    const auto id = static_cast<WORD>(::GetDlgCtrlID(label));
    return ::PostMessageW(::GetParent(label), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
                          reinterpret_cast<LPARAM>(label))
               ? S_OK
               : E_FAIL;
}

HRESULT LinkAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }

HRESULT LinkAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

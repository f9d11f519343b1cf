#pragma once

#include <windows.h>

#include <oleacc.h>

class CLinkLabel;

// The link label as screen readers see it: a link named by its caption,
// with its address as value, linked and focusable, focused while it has the
// focus, traversed once visited, and a default action that opens it as a
// click does. Where it is, its parent, its neighbours and what lies under a
// point come from the system's standard object for the label's window.
//
// COM brings every call, also those of other processes, to the UI thread.
// A client may hold the object longer than the label lives: once the label
// has disconnected it, every call fails as disconnected.
class LinkAccessible final : public IAccessible {
public:
    // Null when the system's accessibility library cannot be had. The caller
    // holds the one reference.
    static LinkAccessible* Create(CLinkLabel* label);
    // The answer to WM_GETOBJECT for the label's client area.
    LRESULT Answer(WPARAM flags);
    void Disconnect();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;

private:
    LinkAccessible(CLinkLabel* label, IAccessible* standard)
        : m_label(label), m_standard(standard) {}
    ~LinkAccessible() { m_standard->Release(); }

    // The standard object's answer; it knows itself when the label's window
    // is gone.
    template <typename Method, typename... Arguments>
    HRESULT Forward(Method method, Arguments... arguments) {
        return (m_standard->*method)(arguments...);
    }
    // S_OK when a question about the label itself can be answered.
    HRESULT Check(const VARIANT& child) const;

    LONG m_references = 1;
    CLinkLabel* m_label;
    IAccessible* m_standard;
};

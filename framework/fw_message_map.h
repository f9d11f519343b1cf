#pragma once

#include <windows.h>

#include <cstddef>

class CWnd;

// A point in a window's client area, as mouse messages give it.
struct CPoint : POINT {
    CPoint(int px, int py) : POINT{px, py} {}
};

// Notifications and colour requests that a parent hands back to the child
// control they concern arrive at the child as this offset plus the message.
inline constexpr UINT kReflectBase = 0xBC00;

// One line of a message table: which message (for WM_COMMAND also which
// notification code and control id) goes to which member handler.
struct MessageEntry {
    UINT message;
    UINT code;
    UINT id;
    LRESULT (*call)(CWnd* self, WPARAM wParam, LPARAM lParam);
};

// A class's table, chained to its base class's table.
struct MessageMap {
    const MessageMap* base;
    const MessageEntry* entries;
    std::size_t count;
};

namespace fw_detail {

template <typename Pmf> struct HandlerClass;
template <typename C, typename R, typename... A> struct HandlerClass<R (C::*)(A...)> {
    using type = C;
};

// Unpacking of the message parameters, chosen by the handler's signature.
template <typename C> LRESULT Crack(C* self, void (C::*handler)(), WPARAM, LPARAM) {
    (self->*handler)();
    return 0;
}
template <typename C>
LRESULT Crack(C* self, void (C::*handler)(UINT, LPARAM), WPARAM wParam, LPARAM lParam) {
    (self->*handler)(static_cast<UINT>(wParam), lParam);
    return 0;
}
template <typename C>
LRESULT Crack(C* self, LRESULT (C::*handler)(WPARAM, LPARAM), WPARAM wParam, LPARAM lParam) {
    return (self->*handler)(wParam, lParam);
}
template <typename C> LRESULT Crack(C* self, HCURSOR (C::*handler)(), WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>((self->*handler)());
}

template <typename C>
LRESULT Crack(C* self, void (C::*handler)(UINT, CPoint), WPARAM wParam, LPARAM lParam) {
    (self->*handler)(static_cast<UINT>(wParam), CPoint(static_cast<short>(LOWORD(lParam)),
                                                       static_cast<short>(HIWORD(lParam))));
    return 0;
}
// The window and device context types are template parameters so that
// this header needs neither class complete.
template <typename C, typename W>
LRESULT Crack(C* self, BOOL (C::*handler)(W*, UINT, UINT), WPARAM wParam, LPARAM lParam) {
    return (self->*handler)(W::FromHandlePermanent(reinterpret_cast<HWND>(wParam)), LOWORD(lParam),
                            HIWORD(lParam));
}
template <typename C, typename DC>
LRESULT Crack(C* self, HBRUSH (C::*handler)(DC*, UINT), WPARAM wParam, LPARAM) {
    DC dc(reinterpret_cast<HDC>(wParam));
    return reinterpret_cast<LRESULT>((self->*handler)(&dc, CTLCOLOR_STATIC));
}

template <auto Handler> LRESULT Dispatch(CWnd* self, WPARAM wParam, LPARAM lParam) {
    using C = typename HandlerClass<decltype(Handler)>::type;
    return Crack(static_cast<C*>(self), Handler, wParam, lParam);
}

} // namespace fw_detail

// Table lines.
template <auto Handler> constexpr MessageEntry OnMessage(UINT message) {
    return {message, 0, 0, &fw_detail::Dispatch<Handler>};
}
template <auto Handler> constexpr MessageEntry OnClicked(UINT id) {
    return {WM_COMMAND, BN_CLICKED, id, &fw_detail::Dispatch<Handler>};
}
template <auto Handler> constexpr MessageEntry OnReflectedCommand(UINT code) {
    return {WM_COMMAND + kReflectBase, code, 0, &fw_detail::Dispatch<Handler>};
}

// The colour request of a static control, handed back by its parent.
template <auto Handler> constexpr MessageEntry OnReflectedCtlColor() {
    return {WM_CTLCOLORSTATIC + kReflectBase, 0, 0, &fw_detail::Dispatch<Handler>};
}

template <std::size_t N>
constexpr MessageMap MakeMessageMap(const MessageMap* base, const MessageEntry (&entries)[N]) {
    return {base, entries, N};
}

// Declares the table of a class; the table itself stands next to the class's
// handlers, one line per entry, between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP.
#define DECLARE_MESSAGE_MAP() const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(Class, Base)                                                             \
    const MessageMap* Class::GetMessageMap() const {                                               \
        using TheBase = Base;                                                                      \
        static const MessageEntry entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    }                                                                                              \
    ;                                                                                              \
    static const MessageMap map = MakeMessageMap(TheBase::GetMessageMap(), entries);               \
    return &map;                                                                                   \
    }                                                                                              \
    static_assert(true, "END_MESSAGE_MAP() takes a semicolon")

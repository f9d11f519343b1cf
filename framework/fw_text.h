#pragma once

#include <windows.h>

#include <string>

// The one place where the program's texts cross the window boundary. Inside, every text is a
// byte string in code page 936; windows, files and child processes are spoken to in UTF-16, so
// that what the user sees, types and saves never depends on the system's own code pages.

// The code page of every text inside the program, and of the saved report.
inline constexpr UINT kTextCodePage = 936;

// Bytes of the given code page as UTF-16. Zero bytes are kept, so a list of parts separated by
// zeros converts whole.
std::wstring Widen(UINT codePage, const std::string& bytes);
// A text of the program as UTF-16.
inline std::wstring Widen(const std::string& text) { return Widen(kTextCodePage, text); }

// UTF-16 as bytes of the given code page, each character without a form there written as '?'.
// No look-alike is substituted: a character the code page lacks never turns into one it has.
std::string Narrow(UINT codePage, const std::wstring& text);
// UTF-16 as a text of the program.
inline std::string Narrow(const std::wstring& text) { return Narrow(kTextCodePage, text); }

// File names and the system's messages travel through the portable code as UTF-8, which holds
// every name the system can.
std::wstring FromUtf8(const std::string& utf8);
std::string ToUtf8(const std::wstring& text);

// A window's text, by a wide WM_GETTEXT, which also reads a control of another thread.
std::wstring WindowTextWide(HWND window);

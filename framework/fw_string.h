#pragma once

#include <string>

// The program's text: a counted byte string in the ANSI code page (936).
class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

    // Makes room for length bytes (plus the terminating zero) to be written
    // by a system call; ReleaseBuffer then fixes the length at the first zero.
    char* GetBuffer(int length);
    void ReleaseBuffer();

private:
    std::string m_text;
};

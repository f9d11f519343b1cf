#pragma once

#include <string>

// The program's text: a counted byte string in code page 936.
class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

private:
    std::string m_text;
};

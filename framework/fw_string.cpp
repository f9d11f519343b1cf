#include "framework/fw_string.h"

#include <cstring>

char* CString::GetBuffer(int length) {
    m_text.assign(static_cast<std::size_t>(length) + 1, '\0');
    return m_text.data();
}

void CString::ReleaseBuffer() { m_text.resize(std::strlen(m_text.c_str())); }

#include "framework/fw_file.h"

bool CFile::Open(const char* path, UINT flags) {
    Close();
    const DWORD access = (flags & modeWrite) ? GENERIC_WRITE : GENERIC_READ;
    const DWORD disposition = (flags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    m_hFile = ::CreateFileA(path, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_nLastError = m_hFile == INVALID_HANDLE_VALUE ? ::GetLastError() : 0;
    return m_hFile != INVALID_HANDLE_VALUE;
}

bool CFile::Write(const void* data, DWORD count) {
    DWORD written = 0;
    if (::WriteFile(m_hFile, data, count, &written, nullptr) && written == count)
        return true;
    m_nLastError = written == count ? ::GetLastError() : ERROR_DISK_FULL;
    return false;
}

bool CFile::Close() {
    if (m_hFile == INVALID_HANDLE_VALUE)
        return true;
    // Data the system still holds can fail to reach the disk; that is a
    // failed save too.
    const bool flushed = ::FlushFileBuffers(m_hFile) != FALSE;
    if (!flushed)
        m_nLastError = ::GetLastError();
    const bool closed = ::CloseHandle(m_hFile) != FALSE;
    if (flushed && !closed)
        m_nLastError = ::GetLastError();
    m_hFile = INVALID_HANDLE_VALUE;
    return flushed && closed;
}

std::string SystemErrorText(DWORD error) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length ? std::string(text, length) : std::string();
    if (text)
        ::LocalFree(text);
    while (!result.empty() &&
           (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    if (result.empty())
        result = "错误代码 " + std::to_string(error);
    return result;
}

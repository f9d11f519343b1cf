#include "framework/fw_file.h"

#include "framework/fw_text.h"

bool CFile::Open(const wchar_t* path, UINT flags) {
    Close();
    const DWORD access = (flags & modeWrite) ? GENERIC_WRITE : GENERIC_READ;
    const DWORD disposition = (flags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    m_hFile = ::CreateFileW(path, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_nLastError = m_hFile == INVALID_HANDLE_VALUE ? ::GetLastError() : 0;
    return m_hFile != INVALID_HANDLE_VALUE;
}

bool CFile::Write(const void* data, DWORD count) {
    DWORD written = 0;
    const bool ok = ::WriteFile(m_hFile, data, count, &written, nullptr) != FALSE;
    if (ok && written == count)
        return true;
    // A write that succeeded with fewer bytes ran out of room; a failed one says why itself.
    m_nLastError = ok ? ERROR_DISK_FULL : ::GetLastError();
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

std::wstring SystemErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result = length ? std::wstring(text, length) : std::wstring();
    if (text)
        ::LocalFree(text);
    while (!result.empty() &&
           (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' '))
        result.pop_back();
    if (result.empty())
        result = Widen("错误代码 " + std::to_string(error));
    return result;
}

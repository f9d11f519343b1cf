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
    // A write the system stops short (at a size limit, say) is followed by one for the rest, whose
    // failure gives the system's reason. Only a write that takes nothing without one ran out of
    // room.
    const auto* bytes = static_cast<const char*>(data);
    while (count > 0) {
        DWORD written = 0;
        if (!::WriteFile(m_hFile, bytes, count, &written, nullptr)) {
            m_nLastError = ::GetLastError();
            return false;
        }
        if (written == 0) {
            m_nLastError = ERROR_DISK_FULL;
            return false;
        }
        bytes += written;
        count -= written;
    }
    return true;
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

#pragma once

#include <windows.h>

#include <string>

// A file opened for writing. Failing calls keep the system's error code.
class CFile {
public:
    enum OpenFlags : UINT { modeWrite = 0x0001, modeCreate = 0x1000 };

    CFile() = default;
    ~CFile() { Close(); }
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    bool Open(const wchar_t* path, UINT flags);
    bool Write(const void* data, DWORD count);
    // Closes the file; false if the system could not finish writing it.
    bool Close();
    DWORD GetLastError() const { return m_nLastError; }

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    DWORD m_nLastError = 0;
};

// The system's wording of an error code, without its line end.
std::wstring SystemErrorText(DWORD error);

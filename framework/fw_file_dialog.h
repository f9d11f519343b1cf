#pragma once

#include "framework/fw_window.h"

#include <commdlg.h>

#include <string>

// The system's open or save dialog.
class CFileDialog {
public:
    // The texts are the program's own (code page 936). defaultExtension has
    // no dot; filter is in the system's form (parts separated by zero bytes,
    // ending in two).
    CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName,
                DWORD flags, const std::string& filter, CWnd* parent);

    // IDOK when the user confirmed a file, IDCANCEL otherwise.
    INT_PTR DoModal();
    // The confirmed file, in whatever script the user named it.
    std::wstring GetPathName() const { return m_szFileName; }

private:
    const bool m_bOpenFileDialog;
    const std::wstring m_strDefaultExtension;
    const std::wstring m_strFilter;
    OPENFILENAMEW m_ofn{};
    wchar_t m_szFileName[MAX_PATH] = L"";
};

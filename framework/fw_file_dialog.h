#pragma once

#include "framework/fw_window.h"

#include <commdlg.h>

// The system's open or save dialog.
class CFileDialog {
public:
    // defaultExtension has no dot; filter is in the system's form (parts
    // separated by zero bytes, ending in two).
    CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName,
                DWORD flags, const char* filter, CWnd* parent);

    // IDOK when the user confirmed a file, IDCANCEL otherwise.
    INT_PTR DoModal();
    CString GetPathName() const { return m_szFileName; }

private:
    const bool m_bOpenFileDialog;
    OPENFILENAMEA m_ofn{};
    char m_szFileName[MAX_PATH] = "";
};

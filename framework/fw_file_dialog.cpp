#include "framework/fw_file_dialog.h"

#include "framework/fw_system_dll.h"

#include <cstring>

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog != FALSE) {
    if (fileName)
        ::lstrcpynA(m_szFileName, fileName, MAX_PATH);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_ofn.lpstrFilter = filter;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrDefExt = defaultExtension;
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_PATHMUSTEXIST;
}

INT_PTR CFileDialog::DoModal() {
    using ShowDialog = BOOL(WINAPI*)(OPENFILENAMEA*);
    const auto show = SystemFunction<ShowDialog>(
        "comdlg32.dll", m_bOpenFileDialog ? "GetOpenFileNameA" : "GetSaveFileNameA");
    const BOOL chosen = show && show(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

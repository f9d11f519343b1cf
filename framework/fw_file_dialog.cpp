#include "framework/fw_file_dialog.h"

#include "framework/fw_system_dll.h"
#include "framework/fw_text.h"

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName,
                         DWORD flags, const std::string& filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog != FALSE), m_strDefaultExtension(Widen(defaultExtension)),
      m_strFilter(Widen(filter)) {
    if (fileName)
        ::lstrcpynW(m_szFileName, Widen(fileName).c_str(), MAX_PATH);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_ofn.lpstrFilter = m_strFilter.c_str();
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrDefExt = m_strDefaultExtension.c_str();
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_PATHMUSTEXIST;
}

INT_PTR CFileDialog::DoModal() {
    using ShowDialog = BOOL(WINAPI*)(OPENFILENAMEW*);
    const auto show = SystemFunction<ShowDialog>(
        "comdlg32.dll", m_bOpenFileDialog ? "GetOpenFileNameW" : "GetSaveFileNameW");
    const BOOL chosen = show && show(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

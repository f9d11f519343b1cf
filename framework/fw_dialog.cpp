#include "framework/fw_dialog.h"

#include "framework/fw_app.h"
#include "framework/fw_text.h"

#include <cstdio>

CDialog::CDialog(UINT idTemplate, CWnd* parent) : m_nIDTemplate(idTemplate), m_pParentWnd(parent) {}

// clang-format off
BEGIN_MESSAGE_MAP(CDialog, CWnd)
    OnClicked<&CDialog::OnOK>(IDOK), OnClicked<&CDialog::OnCancel>(IDCANCEL),
END_MESSAGE_MAP();
// clang-format on

INT_PTR CDialog::DoModal() {
    const HWND owner = OwnerWindow();
    m_bEndModal = false;
    m_nModalResult = -1;
    const HWND hWnd =
        ::CreateDialogParamW(AfxGetApp()->m_hInstance, MAKEINTRESOURCEW(m_nIDTemplate), owner,
                             &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!hWnd)
        return -1;
    if (owner)
        ::EnableWindow(owner, FALSE);
    ::ShowWindow(hWnd, SW_SHOW);

    // A wide loop: typed characters reach the controls as they were typed, whatever the
    // system's code page.
    MSG msg;
    while (!m_bEndModal) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Leave the quit request for the loop outside ours.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1)
            break;
        if (!PreTranslateAlongPath(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }

    // Enable the owner before we go, so that it becomes active again.
    if (owner)
        ::EnableWindow(owner, TRUE);
    ::DestroyWindow(hWnd);
    return m_nModalResult;
}

HWND CDialog::OwnerWindow() const {
    if (m_pParentWnd)
        return m_pParentWnd->m_hWnd;
    // Without a parent a dialog belongs to the main window, so that it is
    // modal to it, unless it is the main window itself.
    CWinApp* app = AfxGetApp();
    CWnd* main = app ? app->m_pMainWnd : nullptr;
    if (!main || main == this || !::IsWindow(main->m_hWnd))
        return nullptr;
    return ::GetLastActivePopup(main->m_hWnd);
}

bool CDialog::PreTranslateAlongPath(MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* object = FromHandlePermanent(hWnd);
        if (object && object->PreTranslateMessage(pMsg))
            return true;
        if (hWnd == m_hWnd)
            break;
    }
    return false;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) { return ::IsDialogMessageW(m_hWnd, pMsg); }

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lParam);
    self->Attach(hWnd);
    self->CenterOverOwner();
    return self->OnInitDialog();
}

void CDialog::CenterOverOwner() {
    RECT area;
    const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (!owner || !::IsWindowVisible(owner) || ::IsIconic(owner))
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    else
        ::GetWindowRect(owner, &area);
    RECT own;
    ::GetWindowRect(m_hWnd, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    m_bEndModal = true;
    // Wake the modal loop in case nothing else is queued.
    PostMessage(WM_NULL);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (!control.m_hWnd)
        control.SubclassWindow(pDX->m_pDlgWnd->GetDlgItem(id));
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    const HWND hWnd = pDX->m_pDlgWnd->GetDlgItem(id);
    pDX->m_hWndLastControl = hWnd;
    if (pDX->m_bSaveAndValidate) {
        ReadWindowText(hWnd, value);
    } else {
        ::SetWindowTextW(hWnd, Widen(value.str()).c_str());
    }
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxBytes) {
    if (!pDX->m_bSaveAndValidate) {
        ::SendMessageW(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(maxBytes), 0);
        return;
    }
    if (pDX->m_bFailed || value.GetLength() <= maxBytes)
        return;
    // The edit control counts characters, not bytes, so double-byte text can
    // still be too long for the member.
    char text[96];
    std::snprintf(text, sizeof text, "输入内容过长：最多 %d 个字节（%d 个汉字）。", maxBytes,
                  maxBytes / 2);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    ::SetFocus(pDX->m_hWndLastControl);
    pDX->m_bFailed = true;
}

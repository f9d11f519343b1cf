#include "app/diag_app_win.h"

#include "app/diag_dlg_win.h"

// The program's one application object.
CDiagApp theApp;

BOOL CDiagApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControls();

    CDiagDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // No message loop follows: the process ends with the dialog.
    return FALSE;
}

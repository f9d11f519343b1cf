#include "app/diag_dlg_win.h"

#include "app/about_dlg_win.h"
#include "app/dialog_texts.h"
#include "app/maker.h"
#include "diag/diag_messages_win.h"
#include "diag/diag_worker_win.h"
#include "diag/target_check.h"
#include "framework/fw_app.h"
#include "framework/fw_file_dialog.h"
#include "framework/fw_gdi.h"
#include "framework/fw_text.h"
#include "report/report_file.h"
#include "report/report_file_win.h"
#include "res/resource.h"

#include <memory>

namespace {

// While a run's text keeps coming, the pane takes it on this timer.
const UINT_PTR kOutputTimer = 1;
const UINT kOutputTimerMs = 10;

} // namespace

CDiagDlg::CDiagDlg() : CDialog(IDD_DIAG_DIALOG), m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)) {}

CDiagDlg::~CDiagDlg() {
    // A worker still going stops at its next check instead of running on
    // behind a closed window.
    m_run.Stop();
}

// clang-format off
BEGIN_MESSAGE_MAP(CDiagDlg, CDialog)
    OnMessage<&CDiagDlg::OnSysCommand>(WM_SYSCOMMAND),
    OnMessage<&CDiagDlg::OnPaint>(WM_PAINT),
    OnMessage<&CDiagDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
    OnClicked<&CDiagDlg::OnStart>(IDC_START),
    OnClicked<&CDiagDlg::OnSave>(IDC_SAVE),
    OnMessage<&CDiagDlg::OnSetOutput>(WM_DIAG_SETOUTPUT),
    OnClicked<&CDiagDlg::OnStop>(IDC_STOP),
    OnMessage<&CDiagDlg::OnDiagFinished>(WM_DIAG_FINISHED),
    OnMessage<&CDiagDlg::OnDiagAppend>(WM_DIAG_APPEND),
    OnMessage<&CDiagDlg::OnTimer>(WM_TIMER),
END_MESSAGE_MAP();
// clang-format on

void CDiagDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LINK_HOME, m_linkHome);
    DDX_Control(pDX, IDC_OUTPUT, m_editOutput);
    DDX_Text(pDX, IDC_TARGET, m_strTarget);
    DDV_MaxChars(pDX, m_strTarget, static_cast<int>(diag::kMaxTargetBytes));
}

BOOL CDiagDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    AddAboutEntry();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    ShowRunState();
    m_linkHome.SetAddress(kMakerHomeAddress);
    m_linkHome.EnableUnderline(FALSE);
    // The edit control's default limit would silently drop the end of a
    // long run, and the saved report with it.
    m_editOutput.SetLimitText(0);
    return TRUE;
}

void CDiagDlg::AddAboutEntry() {
    const HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    if (!menu)
        return;
    wchar_t text[256] = L"";
    if (::LoadStringW(AfxGetApp()->m_hInstance, IDS_ABOUTBOX, text, 256) == 0)
        return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, text);
}

void CDiagDlg::OnSysCommand(UINT nID, LPARAM) {
    if ((nID & 0xFFF0) != IDM_ABOUTBOX) {
        Default();
        return;
    }
    CAboutDlg about;
    about.DoModal();
}

void CDiagDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CDiagDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CDiagDlg::OnStart() {
    // A click can still arrive while Start is disabled (sent by a program).
    if (m_run.IsRunning())
        return;
    const BOOL valid = UpdateData(TRUE);
    // Whatever a stopped run still delivers would land in the cleared pane.
    m_run.Forget();
    m_feed.reset();
    m_editOutput.SetWindowText("");
    if (!valid)
        return;
    // A character that code page 936 lacks has come through as '?', which no
    // target may hold.
    if (!diag::IsAcceptableTarget(m_strTarget.str())) {
        AfxMessageBox(kBadTarget, MB_OK);
        return;
    }

    // The worker runs the text checked here, whatever the field holds later.
    std::shared_ptr<RunTicket> ticket = m_run.Begin();
    const unsigned runId = ticket->m_nId;
    m_feed = std::make_shared<OutputFeed>();
    auto params = std::make_unique<RunParams>(RunParams{ticket, m_hWnd, m_strTarget.str(), m_feed});
    if (!StartDiagnosticThread(std::move(params))) {
        m_run.Finish(runId);
        AfxMessageBox(kNoWorker, MB_OK | MB_ICONEXCLAMATION);
    }
    ShowRunState();
}

void CDiagDlg::OnSave() {
    // Like Start, a disabled Save can still be clicked by another program;
    // a report saved mid-run would be incomplete.
    if (m_run.IsRunning())
        return;
    CFileDialog dialog(FALSE, report::kDefaultExtension, report::kInitialName,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       report::SystemFilter(report::kFilter), this);
    if (dialog.DoModal() != IDOK)
        return;
    SaveReportFile(dialog.GetPathName(), WindowTextWide(m_editOutput.m_hWnd));
}

LRESULT CDiagDlg::OnSetOutput(WPARAM wParam, LPARAM) {
    m_editOutput.SetWindowText(reinterpret_cast<const char*>(wParam));
    return 0;
}

void CDiagDlg::OnStop() {
    m_run.Stop();
    ShowRunState();
}

LRESULT CDiagDlg::OnDiagFinished(WPARAM runId, LPARAM) {
    // A stopped run that ends late must not end the run that followed it.
    if (!m_run.IsCurrent(static_cast<unsigned>(runId)))
        return 0;
    // The run's last lines are in the pane before Save is enabled again.
    TakeOutput();
    m_run.Finish(static_cast<unsigned>(runId));
    ShowRunState();
    return 0;
}

LRESULT CDiagDlg::OnDiagAppend(WPARAM runId, LPARAM) {
    // Lines of an earlier run must not land in a pane that a later run has
    // cleared: they would corrupt that run's report.
    if (m_run.IsCurrent(static_cast<unsigned>(runId)))
        TakeOutput();
    return 0;
}

void CDiagDlg::OnTimer(UINT id, LPARAM) {
    if (id == kOutputTimer)
        TakeOutput();
}

void CDiagDlg::TakeOutput() {
    bool keepLooking = false;
    const std::wstring text = m_feed ? m_feed->Take(&keepLooking) : std::wstring();
    // Set before the append, the timer is due by the time the append and the
    // repaint after it are done.
    if (keepLooking)
        ::SetTimer(m_hWnd, kOutputTimer, kOutputTimerMs, nullptr);
    else
        ::KillTimer(m_hWnd, kOutputTimer);
    if (!text.empty())
        AppendOutput(text.c_str());
}

void CDiagDlg::AppendOutput(const wchar_t* text) {
    // Where the text ends, found from its last line.
    const int lastLineStart = m_editOutput.LineIndex(m_editOutput.GetLineCount() - 1);
    const int length = lastLineStart + m_editOutput.LineLength(lastLineStart);
    m_editOutput.SetSel(length, -1);
    m_editOutput.SendMessage(EM_SCROLLCARET);
    m_editOutput.ReplaceSel(text, FALSE);
    m_editOutput.PostMessage(WM_VSCROLL, SB_BOTTOM, 0);
}

void CDiagDlg::ShowRunState() {
    const ButtonStates buttons = m_run.Buttons();
    const HWND start = GetDlgItem(IDC_START);
    const HWND stop = GetDlgItem(IDC_STOP);
    const HWND focus = ::GetFocus();
    // Save first: by the time Stop is enabled, a half-done report can no
    // longer be saved.
    ::EnableWindow(GetDlgItem(IDC_SAVE), buttons.save);
    ::EnableWindow(start, buttons.start);
    ::EnableWindow(stop, buttons.stop);
    // Keep the keyboard usable: the button just pressed may have been
    // disabled under the focus.
    if (focus && !::IsWindowEnabled(focus))
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(buttons.start ? start : stop), TRUE);
}

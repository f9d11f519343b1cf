#pragma once

#include "app/run_state.h"
#include "diag/output_feed_win.h"
#include "framework/fw_controls.h"
#include "framework/fw_dialog.h"
#include "linklabel/link_label_win.h"

#include <memory>

// The main dialog: the target field, the output pane and the buttons that
// start, stop and save a run.
class CDiagDlg : public CDialog {
public:
    CDiagDlg();
    ~CDiagDlg() override;

    // Adds text at the end of the output pane and scrolls to it.
    void AppendOutput(const wchar_t* text);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter must never close the program, also while Start is disabled.
    void OnOK() override {}

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnStart();
    void OnSave();
    LRESULT OnSetOutput(WPARAM wParam, LPARAM lParam);
    void OnStop();
    LRESULT OnDiagFinished(WPARAM runId, LPARAM lParam);
    LRESULT OnDiagAppend(WPARAM runId, LPARAM lParam);
    void OnTimer(UINT id, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void AddAboutEntry();
    void ShowRunState();
    // Puts all the text the current run's worker has waiting into the pane.
    void TakeOutput();

    RunState m_run;
    // Where the current run's text waits; none while no run is current.
    std::shared_ptr<OutputFeed> m_feed;
    CLinkLabel m_linkHome;
    CEdit m_editOutput;
    CString m_strTarget;
    HICON m_hIcon;
};

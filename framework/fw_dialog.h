#pragma once

#include "framework/fw_window.h"

class CDialog;

// One exchange between the dialog's controls and its members.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CDialog* const m_pDlgWnd;
    const BOOL m_bSaveAndValidate;
    HWND m_hWndLastControl = nullptr;
    bool m_bFailed = false;
};

// A modal dialog made from a dialog template resource.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT idTemplate, CWnd* parent = nullptr);

    // Creates the dialog, runs the modal loop until EndDialog and returns
    // the value given to EndDialog (-1 if the dialog could not be created).
    INT_PTR DoModal();
    void EndDialog(int result);
    // Moves data between controls and members; false if a check failed.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();
    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND OwnerWindow() const;
    void CenterOverOwner();
    // Offers the message to every window object from its target up to us.
    bool PreTranslateAlongPath(MSG* pMsg);

    const UINT m_nIDTemplate;
    CWnd* const m_pParentWnd;
    bool m_bEndModal = false;
    int m_nModalResult = -1;
};

// Binds a control of the dialog to a window object, once.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Moves a control's text to a string member, or back.
void DDX_Text(CDataExchange* pDX, int id, CString& value);
// Limits the control of the previous DDX_Text to maxBytes bytes.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxBytes);

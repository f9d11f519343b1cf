#pragma once

#include "framework/fw_dialog.h"
#include "res/resource.h"

// The About box: the program's name, icon and maker.
class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};

// Resource ids shared by tarnwick.rc and the program.
#pragma once

#define IDR_MAINFRAME 128

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_DIAG_DIALOG 102

#define IDC_START 1000
#define IDC_STOP 1001
#define IDC_TARGET 1002
#define IDC_OUTPUT 1003
#define IDC_SAVE 1004
#define IDC_LINK_HOME 1007

// System-menu command ids must keep the low four bits clear.
#define IDM_ABOUTBOX 0x0010

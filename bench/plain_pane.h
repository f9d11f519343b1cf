#pragma once

// Ids of the plain pane's dialog.
#define IDD_PLAIN_PANE 100
#define IDC_PLAIN_OUTPUT 1003

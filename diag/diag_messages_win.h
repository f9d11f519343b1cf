#pragma once

#include <windows.h>

// The main dialog's application messages.
// wParam: a zero-terminated text that replaces the whole output pane.
inline constexpr UINT WM_DIAG_SETOUTPUT = WM_APP + 100;
// Posted by a run's worker when it has ended; wParam: the run's id.
inline constexpr UINT WM_DIAG_FINISHED = WM_APP + 101;
// Posted by a run's worker when text is waiting in its feed for the end of
// the output pane; wParam: the run's id.
inline constexpr UINT WM_DIAG_APPEND = WM_APP + 102;

// The pane's baseline: a plain Win32 dialog with the program's output pane and nothing else,
// made with the same common-controls manifest. "plain_pane" only shows it. "plain_pane DONE
// COMMAND" also runs COMMAND through the command interpreter when IDOK arrives, adds each read of
// up to 4096 bytes at the end of the pane from its reading thread, asking the pane's length in
// characters each time, and sets the event DONE once the output has ended.
#include "bench/plain_pane.h"
#include "bench/plain_child_win.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace {

struct Job {
    HWND pane;
    HANDLE done;
    std::string command;
};

DWORD WINAPI Pump(LPVOID param) {
    const Job& job = *static_cast<const Job*>(param);
    const HANDLE pipe = bench::StartCaptured(job.command);
    char buffer[4096 + 1];
    DWORD got = 0;
    while (pipe && ::ReadFile(pipe, buffer, sizeof buffer - 1, &got, nullptr)) {
        buffer[got] = '\0';
        const LRESULT length = ::SendMessageW(job.pane, WM_GETTEXTLENGTH, 0, 0);
        ::SendMessageA(job.pane, EM_SETSEL, length, length);
        ::SendMessageA(job.pane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(buffer));
    }
    if (pipe)
        ::CloseHandle(pipe);
    ::SetEvent(job.done);
    return 0;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        ::SendDlgItemMessageW(dialog, IDC_PLAIN_OUTPUT, EM_SETLIMITTEXT, 0, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* job = reinterpret_cast<Job*>(::GetWindowLongPtrW(dialog, DWLP_USER));
            if (job && job->done) {
                job->pane = ::GetDlgItem(dialog, IDC_PLAIN_OUTPUT);
                if (const HANDLE thread = ::CreateThread(nullptr, 0, &Pump, job, 0, nullptr))
                    ::CloseHandle(thread);
            }
        } else if (LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, 0);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int main(int argc, char** argv) {
    Job job{nullptr, nullptr, std::string()};
    if (argc == 3) {
        job.done = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
        job.command = argv[2];
    }
    // Like the program: version 6 of the common controls, which the manifest asks for.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PLAIN_PANE), nullptr,
                      &DialogProc, reinterpret_cast<LPARAM>(&job));
    return 0;
}

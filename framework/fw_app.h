#pragma once

#include "framework/fw_window.h"

#include <windows.h>

#include <string>

// The one application object of the program. Its constructor registers it;
// the program's entry point calls InitInstance.
class CWinApp {
public:
    // Without a name the program's file name (without extension) is used.
    explicit CWinApp(const wchar_t* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() = 0;
    HICON LoadIcon(UINT id) const;

    // Kept for the start-up sequence's sake: the system loads what these once
    // switched on by itself (visual styles come from the manifest).
    void AfxEnableControlContainer() {}
    void Enable3dControls() {}

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    // The caption of the program's message boxes.
    const wchar_t* m_pszAppName = L"";

private:
    friend int RunApplication(HINSTANCE instance);
    std::wstring m_strGivenName;
    std::wstring m_strAppName;
};

CWinApp* AfxGetApp();

// A message box over the main window, captioned with the application's name.
int AfxMessageBox(const wchar_t* text, UINT type = MB_OK, UINT helpId = 0);
// The same for a text of the program.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);

// The program's life: sets the application object up and runs InitInstance.
int RunApplication(HINSTANCE instance);

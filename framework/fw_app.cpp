#include "framework/fw_app.h"

#include "framework/fw_system_dll.h"
#include "framework/fw_text.h"

#include <commctrl.h>

namespace {

CWinApp* g_app = nullptr;

std::wstring FileTitle(HINSTANCE instance) {
    wchar_t path[MAX_PATH] = L"";
    ::GetModuleFileNameW(instance, path, MAX_PATH);
    std::wstring name = path;
    const std::size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

} // namespace

CWinApp::CWinApp(const wchar_t* appName) : m_strGivenName(appName ? appName : L"") { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

HICON CWinApp::LoadIcon(UINT id) const { return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(id)); }

CWinApp* AfxGetApp() { return g_app; }

int AfxMessageBox(const wchar_t* text, UINT type, UINT /*helpId: there is no help file*/) {
    CWinApp* app = AfxGetApp();
    HWND owner = nullptr;
    if (app && app->m_pMainWnd && ::IsWindow(app->m_pMainWnd->m_hWnd))
        owner = ::GetLastActivePopup(app->m_pMainWnd->m_hWnd);
    return ::MessageBoxW(owner, text, app ? app->m_pszAppName : L"", type);
}

int AfxMessageBox(const char* text, UINT type, UINT helpId) {
    return AfxMessageBox(Widen(text).c_str(), type, helpId);
}

int RunApplication(HINSTANCE instance) {
    // Before anything can load a DLL.
    RestrictDllSearch();
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->m_hInstance = instance;
    app->m_strAppName = app->m_strGivenName.empty() ? FileTitle(instance) : app->m_strGivenName;
    app->m_pszAppName = app->m_strAppName.c_str();

    // The manifest asks for version 6 of the common controls; they must be
    // loaded before the first dialog is made with them.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    // The program's whole life is its modal dialog; InitInstance returns
    // when that has closed, so there is no message loop here.
    app->InitInstance();
    return 0;
}

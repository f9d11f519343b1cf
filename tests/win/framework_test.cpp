#include "app/diag_dlg_win.h"
#include "framework/fw_app.h"
#include "framework/fw_controls.h"
#include "framework/fw_dialog.h"
#include "framework/fw_system_dll.h"
#include "framework/fw_text.h"
#include "framework/fw_window.h"
#include "res/resource.h"
#include "tests/win/framework_test_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const int kButtonId = 300;

// A control object that handles its own click notification.
class SelfClickingButton : public CWnd {
public:
    int clicks = 0;

protected:
    void OnReflectedClick() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(SelfClickingButton, CWnd)
    OnReflectedCommand<&SelfClickingButton::OnReflectedClick>(BN_CLICKED),
END_MESSAGE_MAP();
// clang-format on

// A control object with no table of its own.
class PlainButton : public CWnd {};

class ClickedParent : public CWnd {
public:
    int clicks = 0;

protected:
    void OnButton() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(ClickedParent, CWnd)
    OnClicked<&ClickedParent::OnButton>(kButtonId),
END_MESSAGE_MAP();
// clang-format on

class Reflection : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &::DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TarnwickTestParent";
        ::RegisterClassA(&windowClass);
        m_hParent = ::CreateWindowExA(0, "TarnwickTestParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                      100, nullptr, nullptr, windowClass.hInstance, nullptr);
        m_hButton = ::CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0,
                                      0, 80, 24, m_hParent, reinterpret_cast<HMENU>(kButtonId),
                                      windowClass.hInstance, nullptr);
        ASSERT_TRUE(m_hButton);
        ASSERT_TRUE(parent.SubclassWindow(m_hParent));
    }
    void TearDown() override { ::DestroyWindow(m_hParent); }

    void Click() { ::SendMessageA(m_hButton, BM_CLICK, 0, 0); }

    ClickedParent parent;
    HWND m_hParent = nullptr;
    HWND m_hButton = nullptr;
};

TEST_F(Reflection, ControlThatHandlesItsNotificationTakesItFromTheParent) {
    SelfClickingButton button;
    ASSERT_TRUE(button.SubclassWindow(m_hButton));
    Click();
    EXPECT_EQ(button.clicks, 1);
    EXPECT_EQ(parent.clicks, 0);
}

TEST_F(Reflection, ParentGetsNotificationsItsControlDoesNotHandle) {
    PlainButton button;
    ASSERT_TRUE(button.SubclassWindow(m_hButton));
    Click();
    EXPECT_EQ(parent.clicks, 1);
}

TEST_F(Reflection, PropertyOfAWindowTheFrameworkDoesNotHookIsNotTrusted) {
    // Any program can give any window, ours too, a property of the framework's name.
    SelfClickingButton impostor;
    ASSERT_TRUE(::SetPropA(m_hButton, "Tarnwick.CWnd", &impostor));
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hButton), nullptr);
    Click();
    ::RemovePropA(m_hButton, "Tarnwick.CWnd");
    EXPECT_EQ(impostor.clicks, 0);
    EXPECT_EQ(parent.clicks, 1);
}

// A multi-line edit, hooked by the framework like the output pane.
class HookedEdit : public ::testing::Test {
protected:
    void SetUp() override {
        m_hEdit =
            ::CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 200,
                              100, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(m_hEdit);
        ASSERT_TRUE(edit.SubclassWindow(m_hEdit));
    }
    void TearDown() override { ::DestroyWindow(m_hEdit); }

    std::string Text() const {
        CString text;
        edit.GetWindowText(text);
        return text.str();
    }

    CEdit edit;
    HWND m_hEdit = nullptr;
};

// Lines with double-byte characters: 16 characters in 24 bytes of code page 936.
const char kMixed[] = "第一行 abc\r\n跟踪完成。\r\n";

TEST_F(HookedEdit, KeepsTheProgramsBytesAndAnswersWideCallersInItsOwnCharacters) {
    // The hook makes the control a Unicode window, so the system converts
    // nothing for callers that ask in UTF-16.
    EXPECT_TRUE(::IsWindowUnicode(m_hEdit));
    edit.SetWindowText(kMixed);
    EXPECT_EQ(Text(), kMixed);
    EXPECT_EQ(::SendMessageA(m_hEdit, WM_GETTEXTLENGTH, 0, 0), 24);
    EXPECT_EQ(::SendMessageW(m_hEdit, WM_GETTEXTLENGTH, 0, 0), 16);
}

TEST(SystemFunction, FindsAFunctionOfASystemDllAndCallsIt) {
    using CharUpper = LPSTR(WINAPI*)(LPSTR);
    const auto upper = SystemFunction<CharUpper>("user32.dll", "CharUpperA");
    ASSERT_TRUE(upper);
    char text[] = "tarnwick";
    EXPECT_STREQ(upper(text), "TARNWICK");
}

TEST(SystemFunction, NullForAMissingFunctionOrDll) {
    EXPECT_FALSE(SystemFunction("shell32.dll", "NoSuchFunctionAnywhere"));
    EXPECT_FALSE(SystemFunction("no_such_library.dll", "ShellExecuteA"));
}

TEST(SystemFunction, DllBesideTheProgramIsPassedOverOnceTheSearchIsRestricted) {
    char own[MAX_PATH] = "";
    ASSERT_GT(::GetModuleFileNameA(nullptr, own, MAX_PATH), 0u);
    // Any image will do; a program's own is loaded without its entry point being run.
    std::string planted = own;
    planted.replace(planted.find_last_of('\\') + 1, std::string::npos, "tarnwick_planted.dll");
    ASSERT_TRUE(::CopyFileA(own, planted.c_str(), FALSE));
    RestrictDllSearch();
    const HMODULE found = ::LoadLibraryA("tarnwick_planted.dll");
    if (found)
        ::FreeLibrary(found);
    ::DeleteFileA(planted.c_str());
    EXPECT_EQ(found, nullptr);
}

class TestApp : public CWinApp {
public:
    BOOL InitInstance() override { return FALSE; }
};

TestApp theApp;

// The program's dialog, closed again as soon as it has put text in its pane.
class AppendingDialog : public CDiagDlg {
public:
    std::string paneText;

protected:
    // The one way the test's text reaches the pane.
    void Append(const char* text) { AppendOutput(Widen(text).c_str()); }

    BOOL OnInitDialog() override {
        const BOOL result = CDiagDlg::OnInitDialog();
        const HWND pane = GetDlgItem(IDC_OUTPUT);
        Append(kMixed);
        // Wherever the caret was left, and with or without a line break at the end.
        ::SendMessageA(pane, EM_SETSEL, 0, 3);
        Append("第二行 没有换行");
        ::SendMessageA(pane, EM_SETSEL, 1, 1);
        Append("，续\r\n");
        CString text;
        ReadWindowText(pane, text);
        paneText = text.str();
        EndDialog(IDCANCEL);
        return result;
    }
};

TEST(DialogPane, TextGoesAtTheEndFoundFromTheLastLine) {
    theApp.m_hInstance = ::GetModuleHandleA(nullptr);
    AppendingDialog dialog;
    dialog.DoModal();
    EXPECT_EQ(dialog.paneText, std::string(kMixed) + "第二行 没有换行，续\r\n");
}

// The edit's object sees keys before the dialog does, and swallows Delete.
class KeyWatcher : public CWnd {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        keys.push_back(pMsg->wParam);
        return pMsg->wParam == VK_DELETE;
    }
    std::vector<WPARAM> keys;
};

class KeyDialog : public CDialog {
public:
    KeyDialog() : CDialog(IDD_KEYS) {}

    KeyWatcher edit;
    std::string textAtCancel;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_KEYS_EDIT, edit); }

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        // Ends a dialog that Escape never reached.
        ::SetTimer(m_hWnd, 1, 5000, nullptr);
        edit.SetWindowText("xyz");
        // Delete reaches the edit through the dialog unless it is swallowed first.
        edit.PostMessage(WM_KEYDOWN, VK_DELETE, 0);
        edit.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        return TRUE;
    }

    void OnCancel() override {
        CString text;
        edit.GetWindowText(text);
        textAtCancel = text.str();
        CDialog::OnCancel();
    }

    void OnTimer(UINT, LPARAM) { EndDialog(-2); }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(KeyDialog, CDialog)
    OnMessage<&KeyDialog::OnTimer>(WM_TIMER),
END_MESSAGE_MAP();
// clang-format on

TEST(ModalLoop, KeysPassTheControlsObjectOnTheWayToTheDialog) {
    theApp.m_hInstance = ::GetModuleHandleA(nullptr);
    KeyDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.edit.keys, (std::vector<WPARAM>{VK_DELETE, VK_ESCAPE}));
    EXPECT_EQ(dialog.textAtCancel, "xyz");
}

} // namespace

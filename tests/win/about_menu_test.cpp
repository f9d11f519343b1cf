#include "app/diag_dlg_win.h"
#include "framework/fw_app.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// The program's dialog in this process: a menu can be read only by the
// process whose window it belongs to.
namespace {

class TestApp : public CWinApp {
public:
    BOOL InitInstance() override { return FALSE; }
};

TestApp theApp;

struct MenuItem {
    UINT type;
    UINT id;
    std::string text;
};

// The program's dialog, closed again as soon as it is up, with what its
// system menu held by then.
class DialogAtStart : public CDiagDlg {
public:
    std::vector<MenuItem> systemMenu;

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CDiagDlg::OnInitDialog();
        const HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
        for (int position = 0; position < ::GetMenuItemCount(menu); ++position) {
            char text[128] = "";
            MENUITEMINFOA item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
            item.dwTypeData = text;
            item.cch = sizeof text;
            ::GetMenuItemInfoA(menu, position, TRUE, &item);
            systemMenu.push_back({item.fType, item.wID, text});
        }
        EndDialog(IDCANCEL);
        return result;
    }
};

TEST(SystemMenu, EndsWithASeparatorAndTheAboutEntry) {
    theApp.m_hInstance = ::GetModuleHandleA(nullptr);
    DialogAtStart dialog;
    theApp.m_pMainWnd = &dialog;
    dialog.DoModal();
    theApp.m_pMainWnd = nullptr;

    const std::vector<MenuItem>& items = dialog.systemMenu;
    // The system's own entries come first.
    ASSERT_GE(items.size(), 3u);
    EXPECT_NE(items[items.size() - 2].type & MFT_SEPARATOR, 0u);
    const MenuItem& about = items.back();
    EXPECT_EQ(about.type & MFT_SEPARATOR, 0u);
    EXPECT_EQ(about.id, 16u);
    EXPECT_EQ(about.text, "关于Tarnwick(&A)...");
    EXPECT_EQ(std::count_if(items.begin(), items.end(),
                            [](const MenuItem& item) { return item.id == IDM_ABOUTBOX; }),
              1);
}

} // namespace

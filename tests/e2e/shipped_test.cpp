// The program as shipped, which may run emulated and slowly: started once and
// taken through what a customer does with it.
#include "res/resource.h"
#include "tests/e2e/program_test_win.h"

#include <string>
#include <vector>

namespace {

using namespace e2e;

// Texts of the dialog's own static controls, whatever their ids.
std::vector<std::string> StaticTexts(HWND dialog) {
    std::vector<std::string> texts;
    ::EnumChildWindows(
        dialog,
        [](HWND child, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<std::string>*>(param)->push_back(WindowText(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool Holds(const std::vector<std::string>& texts, const std::string& text) {
    for (const std::string& each : texts)
        if (each == text)
            return true;
    return false;
}

class ShippedProgram : public ProgramTest {
protected:
    // An emulated program takes a minute or more to show its first window.
    ShippedProgram() { startTimeoutMs = 60000; }
};

TEST_F(ShippedProgram, ShowsItsDialogRunsAnAddressAndSavesThePane) {
    // The dialog, in Chinese.
    EXPECT_EQ(program->Text(IDC_START), "开始");
    EXPECT_EQ(program->Text(IDC_STOP), "停止");
    EXPECT_EQ(program->Text(IDC_SAVE), "保存");
    EXPECT_EQ(program->Text(IDC_LINK_HOME), "Morrowfen");
    const std::vector<std::string> texts = StaticTexts(Dialog());
    EXPECT_TRUE(Holds(texts, "请输入您的域名(如：example.com)或IP(如：192.0.2.1)"));
    EXPECT_TRUE(Holds(texts, "技术支持："));
    EXPECT_TRUE(IsIdle());
    const std::string screenshot = Env("TARNWICK_ARTIFACTS") + "\\shipped-dialog.bmp";
    ::DeleteFileA(screenshot.c_str());
    EXPECT_TRUE(SaveScreenshot(Dialog(), screenshot));

    // A whole run on an address.
    StartRun("127.0.0.1");
    ASSERT_TRUE(WaitForPaneEnd(kCompleted)) << Pane();
    EXPECT_TRUE(WaitUntilIdle(5000));
    const std::string pane = Pane();
    ExpectCompletedAddressRun(pane, "127.0.0.1");

    // Saved byte for byte.
    const std::string report = Env("TARNWICK_ARTIFACTS") + "\\shipped-report.txt";
    ::DeleteFileA(report.c_str());
    ASSERT_TRUE(program->Click(IDC_SAVE));
    // The first save dialog loads the shell's libraries, which the emulator
    // has to translate first.
    const HWND save = program->WaitForSaveDialog(60000);
    ASSERT_TRUE(save) << "no save dialog";
    program->SaveAs(save, report);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(save); }, 10000)) << "the save dialog stayed";
    std::string saved;
    ASSERT_TRUE(WaitUntil([&] { return ReadFileBytes(report, &saved) && saved == pane; }, 10000))
        << saved;
}

} // namespace

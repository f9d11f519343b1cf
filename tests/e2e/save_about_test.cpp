#include "res/resource.h"
#include "tests/e2e/program_test_win.h"

#include <sddl.h>

#include <string>
#include <vector>

namespace {

using namespace e2e;

const char kPingHeader[] = "执行\" ping 127.0.0.1\"命令\r\n";
// A report as the pane holds it: CP936 text with CR LF line ends.
const char kReport[] = "\r\n--------------------------------------------\r\n"
                       "执行\" ping 127.0.0.1\"命令\r\n来自 127.0.0.1 的回复\r\n"
                       "\r\n所有命令运行完毕.\r\n";

// The first save dialog of a session takes a while to read its folder.
const DWORD kDialogTimeoutMs = 15000;
const DWORD kGoneTimeoutMs = 10000;
// The save dialog's choice of file types.
const int kFileTypeList = 1136;
// The file size limit of SaveFailure.OnAFullDisk, in CMakeLists.txt.
const std::size_t kFullDiskBytes = 65536;

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return ::CloseHandle(file) && ok;
}

std::string FileBytes(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, &bytes)) << "cannot read " << path;
    return bytes;
}

bool IsGone(HWND window) { return !::IsWindow(window) || !::IsWindowVisible(window); }

// Who may do what with the file, as the system keeps it.
std::vector<BYTE> Permissions(const std::string& path) {
    DWORD size = 0;
    ::GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::vector<BYTE> security(size);
    if (size &&
        !::GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, security.data(), size, &size))
        security.clear();
    return security;
}

bool SetPermissions(const std::string& path, const char* permissions) {
    PSECURITY_DESCRIPTOR security = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(permissions, SDDL_REVISION_1,
                                                                &security, nullptr))
        return false;
    const bool set = ::SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, security);
    ::LocalFree(security);
    return set;
}

// Saving goes through the system's save dialog, as the user sees it.
class Save : public ProgramTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ProgramTest::SetUp());
        folder = FreshFolder();
    }

    // A folder of the test's own, emptied, under the artifacts folder.
    static std::string FreshFolder() {
        const std::string parent = Env("TARNWICK_ARTIFACTS") + "\\save";
        ::CreateDirectoryA(parent.c_str(), nullptr);
        const std::string folder =
            parent + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ::CreateDirectoryA(folder.c_str(), nullptr);
        for (const std::string& name : FolderEntries(folder)) {
            const std::string path = folder + "\\" + name;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(path.c_str());
        }
        EXPECT_TRUE(FolderEntries(folder).empty()) << folder;
        return folder;
    }

    HWND OpenSaveDialog() {
        if (!program->Click(IDC_SAVE))
            return nullptr;
        return program->WaitForSaveDialog(kDialogTimeoutMs);
    }

    // Waits until the save dialog has gone and the program has finished
    // with the file: the pane answers only once the save is over, or while
    // an error is shown.
    void WaitUntilClosed(HWND saveDialog) {
        ASSERT_TRUE(WaitUntil([&] { return IsGone(saveDialog); }, kGoneTimeoutMs))
            << "the save dialog stayed open";
        Pane();
    }

    // Saves the pane to a file the dialog has not seen before.
    void SaveTo(const std::string& path) {
        const HWND save = OpenSaveDialog();
        ASSERT_TRUE(save) << "no save dialog";
        program->SaveAs(save, path);
        ASSERT_NO_FATAL_FAILURE(WaitUntilClosed(save));
    }

    // Saves onto an existing file, answering the question to replace it.
    void SaveOver(const std::string& path) {
        const HWND save = OpenSaveDialog();
        ASSERT_TRUE(save) << "no save dialog";
        program->SaveAs(save, path);
        const HWND prompt = program->WaitForOverwritePrompt(save, kDialogTimeoutMs);
        ASSERT_TRUE(prompt) << "replacing " << path << " was not asked";
        PressButton(prompt, IDYES);
        ASSERT_NO_FATAL_FAILURE(WaitUntilClosed(save));
    }

    // Types the folder and presses Save, which takes the dialog there and
    // empties the name field for the file's name.
    void GoInto(HWND saveDialog, const std::string& where) {
        program->SaveAs(saveDialog, where);
        ASSERT_TRUE(
            WaitUntil([&] { return program->FileName(saveDialog).empty(); }, kDialogTimeoutMs))
            << "the dialog did not go into " << where;
        ASSERT_FALSE(IsGone(saveDialog));
    }

    std::string folder;
};

TEST_F(Save, IsDisabledWhileARunGoes) {
    ASSERT_TRUE(program->IsEnabled(IDC_SAVE));
    PressStart("127.0.0.1");
    // Save must be off by the time Stop comes on, not only later.
    ASSERT_TRUE(WaitUntil([this] { return program->IsEnabled(IDC_STOP); }, 5000))
        << "run did not start";
    EXPECT_FALSE(program->IsEnabled(IDC_SAVE));
    ASSERT_TRUE(WaitForPaneText(kPingHeader, 5000)) << Pane();
    EXPECT_TRUE(program->IsEnabled(IDC_STOP));
    EXPECT_FALSE(program->IsEnabled(IDC_SAVE));
    ASSERT_TRUE(program->Click(IDC_STOP));
    EXPECT_TRUE(WaitUntilIdle(1000));
}

TEST_F(Save, FileHoldsExactlyThePaneOfARun) {
    StartRun("127.0.0.1");
    ASSERT_TRUE(WaitForPaneEnd(kCompleted)) << Pane();
    ASSERT_TRUE(WaitUntilIdle(5000));
    const std::string pane = Pane();

    const HWND save = OpenSaveDialog();
    ASSERT_TRUE(save) << "no save dialog";
    // The dialog offers the usual name and the two kinds of file.
    EXPECT_EQ(program->FileName(save), "NetTestReport.txt");
    const HWND types = ::GetDlgItem(save, kFileTypeList);
    DWORD_PTR typeCount = 0;
    EXPECT_TRUE(Send(types, CB_GETCOUNT, 0, 0, &typeCount));
    EXPECT_EQ(typeCount, 2u);
    EXPECT_EQ(WindowText(types), "TxtFile (.txt)");
    const std::string path = folder + "\\run.txt";
    program->SaveAs(save, path);
    ASSERT_NO_FATAL_FAILURE(WaitUntilClosed(save));

    const std::string saved = FileBytes(path);
    EXPECT_EQ(saved, pane);
    // What a broken save would most likely get wrong, named.
    EXPECT_TRUE(Contains(saved, kCompleted)) << "not CP936 text with CR LF";
    EXPECT_NE(saved.rfind("\xEF\xBB\xBF", 0), 0u) << "starts with a byte order mark";
    EXPECT_EQ(saved.find('\0'), std::string::npos);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"run.txt"});
    EXPECT_EQ(Pane(), pane);
    EXPECT_TRUE(IsIdle());
}

// Folders named in a script code page 936 lacks, and with a character whose
// second byte there is a backslash: the report lands where the user chose, still in
// code page 936, a character the code page lacks written in GB 18030 (안녕 in
// four bytes each).
TEST_F(Save, ReportGoesToAFolderOfAnyNameInCodePage936) {
    program->SetText(IDC_OUTPUT, From936(kReport) + L"안녕\r\n");
    for (const wchar_t* name : {L"보고서", L"乗"}) {
        const std::wstring where = From936(folder) + L"\\" + name;
        ::CreateDirectoryW(where.c_str(), nullptr);
        const std::wstring path = where + L"\\" + name + L".txt";
        ::DeleteFileW(path.c_str());
        const HWND save = OpenSaveDialog();
        ASSERT_TRUE(save) << "no save dialog";
        program->SaveAs(save, path);
        ASSERT_NO_FATAL_FAILURE(WaitUntilClosed(save));
        std::string saved;
        EXPECT_TRUE(ReadFileBytes(path, &saved)) << To936(path);
        EXPECT_EQ(saved, kReport + std::string("\x83\x32\xE0\x37\x82\x38\xDA\x30\r\n"))
            << To936(path);
        ::DeleteFileW(path.c_str());
        ::RemoveDirectoryW(where.c_str());
    }
}

TEST_F(Save, EmptyPaneGivesAnEmptyFile) {
    const std::string path = folder + "\\empty.txt";
    ASSERT_NO_FATAL_FAILURE(SaveTo(path));
    std::string saved = "not read";
    ASSERT_TRUE(ReadFileBytes(path, &saved)) << "no file " << path;
    EXPECT_EQ(saved, "");
}

TEST_F(Save, NameWithoutExtensionGetsTxt) {
    program->SetText(IDC_OUTPUT, kReport);
    const HWND save = OpenSaveDialog();
    ASSERT_TRUE(save) << "no save dialog";
    ASSERT_NO_FATAL_FAILURE(GoInto(save, folder));
    program->SaveAs(save, "report");
    ASSERT_NO_FATAL_FAILURE(WaitUntilClosed(save));

    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"report.txt"});
    EXPECT_EQ(FileBytes(folder + "\\report.txt"), kReport);
}

TEST_F(Save, ExistingFileIsReplacedWholeOnlyWhenTheUserAgrees) {
    const std::string path = folder + "\\report.txt";
    std::string old;
    for (int line = 0; line < 500; ++line)
        old += "上一次的报告 " + std::to_string(line) + "\r\n";
    ASSERT_TRUE(WriteFileBytes(path, old));
    // The replaced report keeps its attributes, and its permissions: a list of
    // its own, which a new file does not get.
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetPermissions(path, "D:P(A;;FA;;;WD)(A;;FR;;;BU)"));
    const std::vector<BYTE> permissions = Permissions(path);
    ASSERT_TRUE(WriteFileBytes(folder + "\\new.txt", ""));
    ASSERT_NE(permissions, Permissions(folder + "\\new.txt"));
    ::DeleteFileA((folder + "\\new.txt").c_str());
    program->SetText(IDC_OUTPUT, kReport);
    ASSERT_LT(Pane().size(), old.size());

    const HWND save = OpenSaveDialog();
    ASSERT_TRUE(save) << "no save dialog";
    program->SaveAs(save, path);
    HWND prompt = program->WaitForOverwritePrompt(save, kDialogTimeoutMs);
    ASSERT_TRUE(prompt) << "replacing was not asked";
    PressButton(prompt, IDNO);
    ASSERT_TRUE(WaitUntil([&] { return IsGone(prompt); }, kGoneTimeoutMs));
    // No leaves the user in the dialog to choose another name.
    ::Sleep(300);
    EXPECT_FALSE(IsGone(save));
    EXPECT_EQ(FileBytes(path), old);

    program->SaveAs(save, path);
    prompt = program->WaitForOverwritePrompt(save, kDialogTimeoutMs);
    ASSERT_TRUE(prompt) << "replacing was not asked the second time";
    PressButton(prompt, IDYES);
    ASSERT_NO_FATAL_FAILURE(WaitUntilClosed(save));
    EXPECT_EQ(FileBytes(path), kReport);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"report.txt"});
    EXPECT_TRUE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN) << "attributes lost";
    EXPECT_EQ(Permissions(path), permissions) << "permissions lost";
}

// The shell and the common dialogs cost nothing at start-up; the first save
// loads the common dialogs.
TEST_F(Save, FirstSaveLoadsTheCommonDialogs) {
    EXPECT_FALSE(HasLoaded(program->Process(), "comdlg32.dll"));
    EXPECT_FALSE(HasLoaded(program->Process(), "shell32.dll"));
    const HWND save = OpenSaveDialog();
    ASSERT_TRUE(save) << "no save dialog";
    EXPECT_TRUE(HasLoaded(program->Process(), "comdlg32.dll"));
    PressButton(save, IDCANCEL);
    ASSERT_NO_FATAL_FAILURE(WaitUntilClosed(save));
}

TEST_F(Save, CancelLeavesTheFolderAsItWas) {
    ASSERT_TRUE(WriteFileBytes(folder + "\\earlier.txt", "earlier\r\n"));
    const std::vector<std::string> before = FolderEntries(folder);
    program->SetText(IDC_OUTPUT, kReport);

    const HWND save = OpenSaveDialog();
    ASSERT_TRUE(save) << "no save dialog";
    ASSERT_NO_FATAL_FAILURE(GoInto(save, folder));
    program->TypeFileName(save, "new.txt");
    PressButton(save, IDCANCEL);
    ASSERT_NO_FATAL_FAILURE(WaitUntilClosed(save));

    EXPECT_EQ(FolderEntries(folder), before);
    EXPECT_EQ(FileBytes(folder + "\\earlier.txt"), "earlier\r\n");
    EXPECT_FALSE(program->FindMessageBox());
    EXPECT_EQ(Pane(), kReport);
    EXPECT_TRUE(IsIdle());
}

// A save that cannot be written tells the user which file, leaves what was
// there and nothing else, and the program goes on as before.
class SaveFailure : public Save {
protected:
    void ExpectToldAndUnharmed(const std::string& path, const std::string& old,
                               const std::vector<std::string>& entries) {
        ASSERT_NO_FATAL_FAILURE(ExpectTold(path, old, entries, kReport));
        const std::string good = folder + "\\second.txt";
        ASSERT_NO_FATAL_FAILURE(SaveTo(good));
        EXPECT_EQ(FileBytes(good), kReport);
        EXPECT_FALSE(program->FindMessageBox());
    }

    // The error names the file, the file and its folder are as they were,
    // and once it is answered the pane and the buttons are too.
    void ExpectTold(const std::string& path, const std::string& old,
                    const std::vector<std::string>& entries, const std::string& pane,
                    const std::string& reason = "") {
        const HWND box = program->WaitForDialog(
            Dialog(), [](HWND window) { return ::GetDlgItem(window, 0xFFFF) != nullptr; },
            kDialogTimeoutMs);
        ASSERT_TRUE(box) << "no error shown";
        const std::string text = MessageText(box);
        const std::string which = "无法保存文件 " + path + "。\n\n";
        EXPECT_EQ(text.rfind(which, 0), 0u) << text;
        // The system's reason follows.
        EXPECT_GT(text.size(), which.size()) << text;
        if (!reason.empty()) {
            EXPECT_EQ(text.substr(std::min(text.size(), which.size())), reason);
        }
        EXPECT_EQ(FileBytes(path), old);
        EXPECT_EQ(FolderEntries(FolderOf(path)), entries);

        program->Answer(box);
        ASSERT_TRUE(WaitUntil([&] { return IsGone(box); }, kGoneTimeoutMs));
        EXPECT_EQ(Pane(), pane);
        EXPECT_TRUE(IsIdle());
    }

    static std::string FolderOf(const std::string& path) {
        return path.substr(0, path.find_last_of('\\'));
    }
};

// Another program that holds the report open, as a viewer may, keeps it
// from being replaced. (Wine, unlike Windows, lets a read-only file be
// replaced, so that case cannot be shown here.)
TEST_F(SaveFailure, OverReportHeldOpen) {
    const std::string path = folder + "\\report.txt";
    ASSERT_TRUE(WriteFileBytes(path, "the report to keep\r\n"));
    const HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    program->SetText(IDC_OUTPUT, kReport);

    SaveOver(path);
    if (!HasFatalFailure())
        ExpectToldAndUnharmed(path, "the report to keep\r\n", {"report.txt"});
    ::CloseHandle(held);
}

// The folder is locked by the test's fixture with chattr +i, which binds
// even root; where that could not be done the folder stays writable.
TEST_F(SaveFailure, IntoLockedFolder) {
    const std::string locked = Env("TARNWICK_ARTIFACTS") + "\\save-locked";
    const std::string probe = locked + "\\probe.txt";
    if (WriteFileBytes(probe, "")) {
        ::DeleteFileA(probe.c_str());
        GTEST_SKIP() << locked << " could not be locked";
    }
    const std::string path = locked + "\\report.txt";
    const std::string old = FileBytes(path);
    ASSERT_FALSE(old.empty());
    const std::vector<std::string> entries = FolderEntries(locked);
    program->SetText(IDC_OUTPUT, kReport);

    ASSERT_NO_FATAL_FAILURE(SaveOver(path));
    ExpectToldAndUnharmed(path, old, entries);
}

// What the system says to a write past the file size limit: under Wine a
// general failure, not a full disk.
std::string ReasonPastTheLimit(const std::string& scratch) {
    const HANDLE file = ::CreateFileA(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::string bytes(kFullDiskBytes, 'x');
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), kFullDiskBytes, &written, nullptr);
    const bool failed = !::WriteFile(file, bytes.data(), 1, &written, nullptr);
    wchar_t reason[512] = L"";
    if (failed)
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                         ::GetLastError(), 0, reason, 512, nullptr);
    ::CloseHandle(file);
    ::DeleteFileA(scratch.c_str());
    const std::string text = To936(reason);
    return text.substr(0, text.find_last_not_of("\r\n ") + 1);
}

// Run by its own test with a limit on the size of files the program may
// write (see CMakeLists.txt), as a quota would set one: the report gets only
// part of the way, and the message gives the system's reason. Unlike a locked
// folder this needs no root, and a report written straight into the old file
// would have destroyed it by then.
TEST_F(SaveFailure, OnAFullDisk) {
    const std::string reason = ReasonPastTheLimit(folder + "\\limit.txt");
    ASSERT_FALSE(reason.empty()) << "a write past the limit did not fail";
    const std::string path = folder + "\\report.txt";
    ASSERT_TRUE(WriteFileBytes(path, "the report to keep\r\n"));
    std::string big;
    while (big.size() < kFullDiskBytes * 2)
        big += kReport;
    program->SetText(IDC_OUTPUT, big);
    ASSERT_EQ(Pane(), big);

    ASSERT_NO_FATAL_FAILURE(SaveOver(path));
    ExpectTold(path, "the report to keep\r\n", {"report.txt"}, big, reason);
}

// A run whose output is far longer than an edit control takes by default
// (30,000 characters under Wine): the stand-in tracert prints 2000 hops.
class LongRun : public Save {
protected:
    void SetUp() override {
        ::SetEnvironmentVariableA("TARNWICK_TRACERT_HOPS", "2000");
        Save::SetUp();
    }
    void TearDown() override {
        Save::TearDown();
        ::SetEnvironmentVariableA("TARNWICK_TRACERT_HOPS", nullptr);
    }
};

TEST_F(LongRun, ArrivesWholeInThePaneAndTheReport) {
    StartRun("127.0.0.1");
    ASSERT_TRUE(WaitForPaneEnd(kCompleted)) << Pane().size();
    ASSERT_TRUE(WaitUntilIdle(5000));
    const std::string pane = Pane();

    const std::vector<std::string> sections = Sections(pane);
    ASSERT_EQ(sections.size(), 4u);
    std::string tracert = ConsoleHeader("tracert -d 127.0.0.1") + TracertHeader("127.0.0.1");
    for (int hop = 1; hop <= 2000; ++hop)
        tracert += "  " + std::to_string(hop) + "    <1 ms    <1 ms    <1 ms  127.0.0.1\r\n";
    EXPECT_EQ(sections[2], tracert + TracertFooter());
    EXPECT_EQ(sections[3], ProbeFailed("127.0.0.1") + kCompleted);
    EXPECT_GT(pane.size(), 90000u);

    const std::string path = folder + "\\long.txt";
    ASSERT_NO_FATAL_FAILURE(SaveTo(path));
    EXPECT_EQ(FileBytes(path), pane);
}

class About : public ProgramTest {
protected:
    // Chooses the command and waits for the box; null if none came.
    HWND Open(WPARAM command) {
        program->SystemCommand(command);
        return WaitForBox();
    }

    HWND WaitForBox() { return program->WaitForAboutBox(kDialogTimeoutMs); }

    void ExpectClosed(HWND box) {
        EXPECT_TRUE(WaitUntil([&] { return IsGone(box); }, kGoneTimeoutMs));
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(Dialog()) != FALSE; }, 5000))
            << "the dialog stayed disabled";
        EXPECT_TRUE(IsIdle());
    }
};

// What its system menu holds is checked inside a process of the program's
// own (win_about_menu_tests): another process cannot read its menus.
TEST_F(About, ChosenFromTheSystemMenuByKeys) {
    // Alt+Space opens the menu, Up from its top reaches the last entry.
    program->SystemCommand(SC_KEYMENU, ' ');
    ASSERT_TRUE(WaitUntil([this] { return program->FindOpenMenu() != nullptr; }, 5000))
        << "no system menu";
    PressKey(Dialog(), VK_UP);
    PressKey(Dialog(), VK_RETURN);
    const HWND box = WaitForBox();
    ASSERT_TRUE(box) << "the last entry did not open the About box";
    PressButton(box, IDOK);
    ExpectClosed(box);
}

TEST_F(About, OpensOverTheDisabledDialogAndOkClosesIt) {
    // The system keeps the low four bits of a command for itself.
    for (const WPARAM command : {WPARAM{16}, WPARAM{16 + 5}}) {
        SCOPED_TRACE(command);
        const HWND box = Open(command);
        ASSERT_TRUE(box) << "no About box";
        EXPECT_EQ(::GetWindow(box, GW_OWNER), Dialog());
        EXPECT_FALSE(::IsWindowEnabled(Dialog()));
        PressButton(box, IDOK);
        ExpectClosed(box);
    }
}

TEST_F(About, EscapeClosesIt) {
    const HWND box = Open(16);
    ASSERT_TRUE(box) << "no About box";
    PressKey(::GetDlgItem(box, IDOK), VK_ESCAPE);
    ExpectClosed(box);
}

TEST_F(About, OtherSystemCommandsDoNotOpenIt) {
    program->SystemCommand(32);
    EXPECT_FALSE(WaitUntil([this] { return program->FindAboutBox() != nullptr; }, 1500));
    EXPECT_TRUE(program->IsAlive());
    EXPECT_TRUE(::IsWindowEnabled(Dialog()));
    EXPECT_TRUE(IsIdle());
}

TEST_F(About, RunGoesOnBehindIt) {
    StartRun("127.0.0.1");
    ASSERT_TRUE(WaitForPaneText(kPingHeader, 5000)) << Pane();
    const HWND box = Open(16);
    ASSERT_TRUE(box) << "no About box";
    const std::size_t length = Pane().size();
    EXPECT_TRUE(WaitUntil([&] { return Pane().size() > length; }, 10000)) << Pane();
    EXPECT_FALSE(IsGone(box));
    PressButton(box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return IsGone(box); }, kGoneTimeoutMs));
    ASSERT_TRUE(program->Click(IDC_STOP));
    EXPECT_TRUE(WaitForPaneEnd(kStopped, 10000)) << Pane();
}

class RefusedStart : public ProgramTest {};

// A stopped run says so only when tracert prints its next hop, 300 ms
// later; a start refused in the meantime has cleared the pane, which must
// stay clear.
TEST_F(RefusedStart, AfterAStopKeepsTheStoppedRunOutOfThePane) {
    bool beatTheStoppedRun = false;
    for (int attempt = 0; attempt < 3 && !beatTheStoppedRun; ++attempt) {
        StartRun("127.0.0.1");
        ASSERT_TRUE(WaitForPaneText(kFirstHop)) << Pane();
        program->SetText(IDC_TARGET, "a&b");
        ASSERT_TRUE(program->Click(IDC_STOP));
        ASSERT_TRUE(WaitUntil([this] { return program->IsEnabled(IDC_START); }, 1000));
        beatTheStoppedRun = !Contains(Pane(), kStopped);
        ASSERT_TRUE(program->Click(IDC_START));

        const HWND box = program->WaitForMessageBox(10000);
        ASSERT_TRUE(box) << "no message box for a&b";
        EXPECT_EQ(MessageText(box), kBadTarget);
        EXPECT_EQ(Pane(), "");
        program->Answer(box);
        ASSERT_TRUE(WaitUntil([&] { return IsGone(box); }, kGoneTimeoutMs));
        // Long enough for the stopped run to have ended.
        ::Sleep(3000);
        EXPECT_EQ(Pane(), "");
        EXPECT_TRUE(IsIdle());
    }
    EXPECT_TRUE(beatTheStoppedRun) << "the stopped run always ended before the start";
}

} // namespace

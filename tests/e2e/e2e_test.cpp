#include "res/resource.h"
#include "tests/e2e/program_test_win.h"
#include "tests/win/port80_listener_win.h"

#include <string>
#include <utility>
#include <vector>

namespace {

using namespace e2e;

class Tarnwick : public ProgramTest {
protected:
    // Start with a target the program must not run: it clears the pane,
    // says so in a box and stays idle.
    void ExpectRefused(const std::string& target) {
        program->SetText(IDC_OUTPUT, "text of an earlier run\r\n");
        ASSERT_NO_FATAL_FAILURE(PressStart(target));
        const HWND box = program->WaitForMessageBox(10000);
        ASSERT_TRUE(box) << "no message box for \"" << target << "\"";
        EXPECT_EQ(WindowText(box), "tarnwick");
        EXPECT_EQ(MessageText(box), kBadTarget);
        EXPECT_EQ(Pane(), "");
        program->Answer(box);
        EXPECT_TRUE(WaitUntil([this] { return !program->FindMessageBox(); }, 10000));
        EXPECT_TRUE(IsIdle());
        EXPECT_EQ(Pane(), "");
    }
};

// A screen reader names a field by the static text just before it.
TEST_F(Tarnwick, ScreenReaderHearsEachFieldNamedByItsLabel) {
    for (const auto& [field, label] :
         {std::pair<int, std::string>{IDC_TARGET,
                                      "请输入您的域名(如：example.com)或IP(如：192.0.2.1)"},
          {IDC_OUTPUT, "检测结果："}}) {
        const HWND before = ::GetWindow(program->Item(field), GW_HWNDPREV);
        EXPECT_EQ(ClassName(before) + ":" + WindowText(before), "Static:" + label);
        EXPECT_EQ(::IsWindowVisible(before) != FALSE, field == IDC_TARGET); // the pane's is not
        EXPECT_EQ(Hear(program->Item(field)).name, label);
    }
}

// Each setting has its scale (96 dots per inch unless said): the dialog is
// its template laid out at that scale, as this process lays it out.
TEST_F(Tarnwick, LaysItsDialogOutAtTheDisplaysScale) {
    const std::string dpi = Env("TARNWICK_DPI");
    EXPECT_EQ(::GetDpiForWindow(Dialog()), dpi.empty() ? 96u : std::stoul(dpi));
    const HWND reference = ::CreateDialogParamW(
        ::LoadLibraryExA(Env("TARNWICK_EXE").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE),
        MAKEINTRESOURCEW(IDD_DIAG_DIALOG), nullptr,
        [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR { return message == WM_INITDIALOG; }, 0);
    RECT laidOut{}, shown{};
    ::GetClientRect(reference, &laidOut);
    ::GetClientRect(Dialog(), &shown);
    EXPECT_TRUE(::EqualRect(&laidOut, &shown));
    ::DestroyWindow(reference);
}

TEST_F(Tarnwick, EmptyTargetIsRefused) { ExpectRefused(""); }

TEST_F(Tarnwick, TargetOfSpacesIsRefused) { ExpectRefused("    "); }

TEST_F(Tarnwick, TargetThatLooksLikeAnOptionIsRefused) { ExpectRefused("-t"); }

// Also behind a character whose bytes, read in another code page than the
// check's, would hide the '|' that follows it.
TEST_F(Tarnwick, CommandSmuggledInTheTargetIsRefusedAndNeverRuns) {
    const std::string witness = Env("TARNWICK_ARTIFACTS") + "\\pwned.txt";
    for (const char* smuggling : {"127.0.0.1 & ", "127.0.0.é|", "中|"}) {
        ::DeleteFileA(witness.c_str());
        ExpectRefused(smuggling + ("echo pwned > " + witness));
        EXPECT_FALSE(WaitUntil(
            [&] { return ::GetFileAttributesA(witness.c_str()) != INVALID_FILE_ATTRIBUTES; }, 3000))
            << smuggling;
    }
}

TEST_F(Tarnwick, AddressRunsPingTracertAndProbe) {
    StartRun("127.0.0.1");
    ASSERT_TRUE(WaitForPaneEnd(kCompleted)) << Pane();
    EXPECT_TRUE(WaitUntilIdle(5000));
    ExpectCompletedAddressRun(Pane(), "127.0.0.1");

    // A picture of the finished run, for people to look at.
    const std::string screenshot = Env("TARNWICK_ARTIFACTS") + "\\after-run.bmp";
    ::DeleteFileA(screenshot.c_str());
    EXPECT_TRUE(SaveScreenshot(Dialog(), screenshot));
}

TEST_F(Tarnwick, DomainRunsAgainForItsWwwName) {
    StartRun("localhost");
    ASSERT_TRUE(WaitForPaneEnd(kCompleted)) << Pane();

    const std::vector<std::string> sections = Sections(Pane());
    ASSERT_EQ(sections.size(), 7u) << Pane();
    EXPECT_EQ(sections[0], "");
    EXPECT_EQ(sections[1].rfind(ConsoleHeader("ping localhost"), 0), 0u) << sections[1];
    EXPECT_EQ(sections[2], ConsoleHeader("tracert -d localhost") + TracertOutput("localhost"));
    EXPECT_EQ(sections[3], ProbeFailed("localhost"));
    EXPECT_EQ(sections[4].rfind(ConsoleHeader("ping www.localhost"), 0), 0u) << sections[4];
    EXPECT_EQ(sections[5],
              ConsoleHeader("tracert -d www.localhost") + TracertOutput("www.localhost"));
    EXPECT_EQ(sections[6], std::string("无法解析www.localhost的主机IP\r\n") + kCompleted);
    EXPECT_TRUE(WaitUntilIdle(5000));
}

// Wine's own ping knows no IPv6 and says it cannot find the host; the
// stand-in tracert and the probe take the address as it is.
TEST_F(Tarnwick, Ipv6AddressRunsThreeStepsAndItsProbeConnects) {
    Port80Listener listener("::1");
    ASSERT_TRUE(listener.Listening());
    StartRun("::1");
    ASSERT_TRUE(WaitForPaneEnd(kCompleted)) << Pane();

    const std::vector<std::string> sections = Sections(Pane());
    ASSERT_EQ(sections.size(), 4u) << Pane();
    EXPECT_EQ(sections[0], "");
    EXPECT_EQ(sections[1].rfind(ConsoleHeader("ping ::1"), 0), 0u) << sections[1];
    EXPECT_EQ(sections[2], ConsoleHeader("tracert -d ::1") + TracertOutput("::1"));
    EXPECT_EQ(sections[3], std::string("尝试连接 ::1 所在主机的80端口\r\n"
                                       "连接 ::1 所在主机的80端口成功\r\n") +
                               kCompleted);
    EXPECT_TRUE(WaitUntilIdle(5000));
}

TEST_F(Tarnwick, StopEndsTheRunWhileTracertStreams) {
    StartRun("127.0.0.1");
    ASSERT_TRUE(WaitForPaneText(kFirstHop)) << Pane();
    ASSERT_TRUE(program->Click(IDC_STOP));
    EXPECT_TRUE(WaitUntilIdle(1000)) << "buttons stayed busy";

    ASSERT_TRUE(WaitForPaneEnd(kStopped, 10000)) << Pane();
    const std::string pane = Pane();
    EXPECT_FALSE(Contains(pane, kCompleted));
    EXPECT_FALSE(Contains(pane, TracertFooter())) << "tracert output after the stop";
    EXPECT_FALSE(Contains(pane, "尝试连接")) << "probe after the stop";
    EXPECT_EQ(Sections(pane).size(), 3u) << pane;
    // The stopped run adds nothing once it has said so.
    ::Sleep(1500);
    EXPECT_EQ(Pane(), pane);
}

TEST_F(Tarnwick, EnterInTheTargetFieldStartsARun) {
    program->SetText(IDC_TARGET, "127.0.0.1");
    ASSERT_TRUE(program->PressEnterIn(IDC_TARGET));
    ASSERT_TRUE(WaitUntil([this] { return IsRunning(); }, 5000));
    EXPECT_TRUE(WaitForPaneText(ConsoleHeader("ping 127.0.0.1"), 5000)) << Pane();

    // Enter again while the run goes on neither closes the program nor
    // disturbs the run.
    ASSERT_TRUE(program->PressEnterIn(IDC_TARGET));
    ::Sleep(500);
    EXPECT_TRUE(::IsWindow(Dialog()));
    EXPECT_TRUE(IsRunning());

    ASSERT_TRUE(program->Click(IDC_STOP));
    EXPECT_TRUE(WaitForPaneEnd(kStopped, 10000)) << Pane();
}

TEST_F(Tarnwick, ClosingDuringARunEndsTheProgram) {
    StartRun("127.0.0.1");
    ASSERT_TRUE(WaitForPaneText(kFirstHop)) << Pane();
    program->RequestClose();
    DWORD exitCode = 1;
    ASSERT_TRUE(program->WaitForExit(5000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(Tarnwick, RunStartedRightAfterAStopShowsOnlyItsOwnOutput) {
    StartRun("127.0.0.1");
    ASSERT_TRUE(WaitForPaneText(ConsoleHeader("ping 127.0.0.1"), 5000)) << Pane();
    ASSERT_TRUE(program->Click(IDC_STOP));
    ASSERT_TRUE(WaitUntilIdle(1000));
    // The first run is still waiting for ping when the second begins.
    StartRun("127.0.0.1");

    bool sawStoppedLine = false;
    const bool completed = WaitUntil(
        [&] {
            const std::string pane = Pane();
            sawStoppedLine = sawStoppedLine || Contains(pane, kStopped);
            return EndsWith(pane, kCompleted);
        },
        kRunTimeoutMs);
    ASSERT_TRUE(completed) << Pane();
    EXPECT_FALSE(sawStoppedLine);
    const std::string pane = Pane();
    EXPECT_EQ(Sections(pane).size(), 4u) << pane;
    EXPECT_EQ(pane.find(ConsoleHeader("ping 127.0.0.1")),
              pane.rfind(ConsoleHeader("ping 127.0.0.1")))
        << pane;
    EXPECT_TRUE(WaitUntilIdle(5000));
}

// A cmd.exe and a ping.exe lie beside a copy of the program and in the
// folder it is started from, where a search for them would look first. The
// program must run the system's own.
class Decoys : public ProgramTest {
protected:
    void SetUp() override {
        const std::string root = Env("TARNWICK_ARTIFACTS") + "\\decoys";
        folders = {root + "\\program", root + "\\start"};
        ::CreateDirectoryA(root.c_str(), nullptr);
        const std::string decoy = Env("TARNWICK_FAKES") + "\\decoy.exe";
        for (const std::string& folder : folders) {
            ::CreateDirectoryA(folder.c_str(), nullptr);
            for (const char* name : {"\\cmd.exe", "\\ping.exe"}) {
                EXPECT_TRUE(::CopyFileA(decoy.c_str(), (folder + name).c_str(), FALSE)) << name;
                ::DeleteFileA((folder + name + ".ran").c_str());
            }
        }
        const std::string copy = folders[0] + "\\tarnwick.exe";
        EXPECT_TRUE(::CopyFileA(Env("TARNWICK_EXE").c_str(), copy.c_str(), FALSE));
        char previous[MAX_PATH] = "";
        ::GetCurrentDirectoryA(MAX_PATH, previous);
        previousFolder = previous;
        EXPECT_TRUE(::SetCurrentDirectoryA(folders[1].c_str()));
        program = std::make_unique<Program>(copy, startTimeoutMs);
        ASSERT_TRUE(program->Started()) << "no dialog from " << copy;
    }

    void TearDown() override {
        ProgramTest::TearDown();
        ::SetCurrentDirectoryA(previousFolder.c_str());
    }

    // The traces the decoys leave when they run.
    std::vector<std::string> Traces() const {
        std::vector<std::string> traces;
        for (const std::string& folder : folders)
            for (const std::string& name : FolderEntries(folder))
                if (EndsWith(name, ".ran"))
                    traces.push_back(folder + "\\" + name);
        return traces;
    }

    std::vector<std::string> folders;
    std::string previousFolder;
};

TEST_F(Decoys, NeverRunInsteadOfTheSystemsOwn) {
    StartRun("127.0.0.1");
    ASSERT_TRUE(WaitForPaneEnd(kCompleted)) << Pane();
    ExpectCompletedAddressRun(Pane(), "127.0.0.1");
    EXPECT_FALSE(Contains(Pane(), "decoy")) << Pane();
    EXPECT_EQ(Traces(), std::vector<std::string>{});
    EXPECT_TRUE(WaitUntilIdle(5000));
}

} // namespace

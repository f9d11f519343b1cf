#include "res/resource.h"
#include "tests/e2e/program_test_win.h"
#include "tests/win/class_registry_win.h"

#include <oleacc.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace e2e;

const COLORREF kLinkColor = RGB(0, 0, 238);
const COLORREF kVisitedColor = RGB(85, 26, 139);
const char kAddress[] = "http://www.morrowfen.example/";
const DWORD kRedrawTimeoutMs = 3000;

// The text is anti-aliased: only the middle of its strokes has the exact
// colour, and no other colour the label may take has those pixels.
bool ShowsOnly(const Picture& picture, COLORREF colour) {
    const COLORREF colours[] = {kLinkColor, kVisitedColor, ::GetSysColor(COLOR_HIGHLIGHT)};
    for (const COLORREF other : colours) {
        if (other != colour && picture.Count(other) > 0)
            return false;
    }
    return picture.Count(colour) > 0;
}

POINT Centre(HWND window) {
    RECT area;
    ::GetWindowRect(window, &area);
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

HCURSOR CurrentCursor() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    ::GetCursorInfo(&info);
    return info.hCursor;
}

// Runs xdotool, so that the X server itself moves the pointer or clicks,
// as the user's mouse does, and Wine takes it as real input. (SetCursorPos
// was seen undone now and then by Wine's late report of the X pointer's
// earlier place.) Wine starts a Unix program without a handle to wait on.
bool Xdotool(const std::string& arguments) {
    std::string command = "/usr/bin/xdotool " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return false;
    if (process.hThread)
        ::CloseHandle(process.hThread);
    if (process.hProcess)
        ::CloseHandle(process.hProcess);
    return true;
}

bool PointerIsAt(POINT point) {
    POINT now{};
    return ::GetCursorPos(&now) && now.x == point.x && now.y == point.y;
}

// The Wine desktop covers the X screen from its corner, so both count
// pixels alike.
bool MovePointer(POINT point) {
    return Xdotool("mousemove " + std::to_string(point.x) + " " + std::to_string(point.y)) &&
           WaitUntil([&] { return PointerIsAt(point); }, 5000);
}

std::string BrowserLogPath() {
    char dir[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "tarnwick-e2e-browser.log";
}

// What the stand-in browser wrote; empty until it has.
std::string BrowserLog() {
    std::ifstream in(BrowserLogPath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string BrowserPath() { return Env("TARNWICK_FAKES") + "\\browser.exe"; }

// The shell's command for web addresses names a program that does not
// exist, so the shell fails with "file not found" and the label falls back
// to the command registered for .htm pages: the given one.
class ShellCannotOpenAddresses {
public:
    explicit ShellCannotOpenAddresses(const std::string& pageCommand)
        : m_http("http\\shell\\open\\command", Command(MissingProgram())),
          m_htm(".htm", "TarnwickTest.Page"),
          m_page("TarnwickTest.Page\\shell\\open\\command", pageCommand) {}
    bool Applied() const { return m_http.Applied() && m_htm.Applied() && m_page.Applied(); }

    static std::string Command(const std::string& program) { return "\"" + program + "\" \"%1\""; }
    static std::string MissingProgram() { return Env("TARNWICK_FAKES") + "\\no-such-browser.exe"; }

private:
    const ClassesRootDefault m_http;
    const ClassesRootDefault m_htm;
    const ClassesRootDefault m_page;
};

class LinkLabel : public ProgramTest {
protected:
    void SetUp() override {
        ::SetEnvironmentVariableA("TARNWICK_BROWSER_LOG", BrowserLogPath().c_str());
        ::DeleteFileA(BrowserLogPath().c_str());
        ASSERT_NO_FATAL_FAILURE(ProgramTest::SetUp());
        label = program->Item(IDC_LINK_HOME);
        ASSERT_TRUE(label);
        // The pointer starts on the desktop, away from the centred dialog.
        ASSERT_TRUE(MovePointer({5, 5})) << "xdotool did not move the pointer";
        // Wait for the first painting.
        ASSERT_TRUE(WaitUntil([this] { return ShowsOnly(Capture(label), kLinkColor); }, 5000));
    }

    void TearDown() override {
        // The next test's program must not start under the pointer.
        if (program->Started())
            MovePointer({5, 5});
        ProgramTest::TearDown();
    }

    bool WaitForColour(COLORREF colour) {
        return WaitUntil([&] { return ShowsOnly(Capture(label), colour); }, kRedrawTimeoutMs);
    }

    // A point of the dialog, above the label, where there is no control.
    POINT DialogBesideLabel() const {
        RECT area;
        ::GetWindowRect(label, &area);
        return {area.left + 5, area.top - 15};
    }

    // A point of the desktop straight below the dialog.
    POINT DesktopBelowDialog() const {
        RECT area;
        ::GetWindowRect(Dialog(), &area);
        return {Centre(label).x, area.bottom + 20};
    }

    // The pointer over the label, which shows it by its highlight.
    bool Hover() {
        return MovePointer(Centre(label)) && WaitForColour(::GetSysColor(COLOR_HIGHLIGHT));
    }

    HWND label = nullptr;
};

TEST_F(LinkLabel, ShowsItsCaptionInTheLinkColourFittedToTheText) {
    EXPECT_EQ(WindowText(label), "Morrowfen");

    // The caption's size in the dialog's font, 宋体 of 10 points.
    const HDC screen = ::GetDC(nullptr);
    const HFONT font = ::CreateFontW(-::MulDiv(10, ::GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0,
                                     0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"宋体");
    const HGDIOBJ previous = ::SelectObject(screen, font);
    SIZE text{};
    ::GetTextExtentPoint32A(screen, "Morrowfen", 9, &text);
    ::SelectObject(screen, previous);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, screen);
    RECT client;
    ::GetClientRect(label, &client);
    EXPECT_EQ(client.right, text.cx);
    EXPECT_EQ(client.bottom, text.cy);

    // The drawn text reaches both ends of the label, so it is neither cut
    // off nor followed by a stretch that would still react to the mouse.
    const Picture picture = Capture(label);
    // The top left corner lies above the capital.
    const COLORREF background = picture.At(0, 0);
    int first = picture.width;
    int last = -1;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.At(x, y) == background)
                continue;
            first = std::min(first, x);
            last = std::max(last, x);
        }
    }
    EXPECT_LE(first, 2);
    EXPECT_GE(last, picture.width - 3);
    EXPECT_TRUE(ShowsOnly(picture, kLinkColor));
}

TEST_F(LinkLabel, PointerOverItHighlightsItAndShowsTheHandAndTheAddress) {
    const Picture unhovered = Capture(label);
    const POINT beside = DialogBesideLabel();
    ASSERT_EQ(::WindowFromPoint(beside), Dialog());
    ASSERT_TRUE(MovePointer(beside));
    ::Sleep(300);
    const HCURSOR dialogCursor = CurrentCursor();

    ASSERT_TRUE(Hover()) << "no highlight on hover";
    // Cursors are objects of the process that loads them, so the hand of
    // the program cannot be compared with ours: only that it has its own.
    EXPECT_NE(CurrentCursor(), dialogCursor);
    HWND tip = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (tip = program->FindTooltip()) != nullptr; }, 3000))
        << "no tooltip";
    EXPECT_EQ(WindowText(tip), kAddress);

    ASSERT_TRUE(MovePointer(beside));
    EXPECT_TRUE(WaitForColour(kLinkColor)) << "still highlighted in the dialog";
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(tip); }, kRedrawTimeoutMs));
    // The label looks as it did, not tinged by the highlight it was drawn in.
    EXPECT_TRUE(WaitUntil([&] { return Capture(label).pixels == unhovered.pixels; }, 1000));
}

TEST_F(LinkLabel, PointerLeavingStraightOutOfTheDialogEndsTheHighlight) {
    const Picture unhovered = Capture(label);
    const POINT below = DesktopBelowDialog();
    ASSERT_NE(::GetAncestor(::WindowFromPoint(below), GA_ROOT), Dialog());

    ASSERT_TRUE(Hover()) << "no highlight on hover";
    ASSERT_TRUE(MovePointer(below));
    EXPECT_TRUE(WaitForColour(kLinkColor)) << "still highlighted on the desktop";
    EXPECT_TRUE(WaitUntil([&] { return Capture(label).pixels == unhovered.pixels; }, 1000));
}

TEST_F(LinkLabel, ClickOpensTheAddressInTheRegisteredBrowserAndMarksTheLinkVisited) {
    const ShellCannotOpenAddresses registry(ShellCannotOpenAddresses::Command(BrowserPath()));
    ASSERT_TRUE(registry.Applied());

    ASSERT_TRUE(Hover()) << "no highlight on hover";
    ASSERT_TRUE(Xdotool("click 1"));
    const std::string expected = "\"" + BrowserPath() + "\"  " + kAddress;
    EXPECT_TRUE(WaitUntil([&] { return BrowserLog() == expected; }, 10000)) << BrowserLog();
    EXPECT_FALSE(program->FindMessageBox());

    ASSERT_TRUE(MovePointer(DialogBesideLabel()));
    EXPECT_TRUE(WaitForColour(kVisitedColor)) << "not drawn as visited";
}

// The keyboard's way to the link: the tab stop after 保存, its focus
// rectangle, and Enter, which opens it as a click does instead of pressing
// the default button 开始. A screen reader hears a link, focused and then
// followed, and its default action opens it too.
TEST_F(LinkLabel, TabFromSaveReachesItAndEnterOpensItAsAClickDoes) {
    const ShellCannotOpenAddresses registry(ShellCannotOpenAddresses::Command(BrowserPath()));
    ASSERT_TRUE(registry.Applied());
    const Heard link = Hear(label);
    EXPECT_EQ(link.role, ROLE_SYSTEM_LINK);
    EXPECT_EQ(link.name, "Morrowfen");
    EXPECT_EQ(link.value, kAddress);
    EXPECT_EQ(link.defaultAction, "跳转");
    const LONG linked = STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE;
    EXPECT_EQ(link.state, linked);
    const Picture unfocused = Capture(label);
    ASSERT_TRUE(program->FocusOn(IDC_SAVE));
    PressKey(program->Item(IDC_SAVE), VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return program->Focused() == label; }, kRedrawTimeoutMs));
    EXPECT_TRUE(
        WaitUntil([&] { return Capture(label).pixels != unfocused.pixels; }, kRedrawTimeoutMs))
        << "no focus rectangle";
    EXPECT_EQ(Hear(label).state, linked | STATE_SYSTEM_FOCUSED);

    PressKey(label, VK_RETURN);
    const std::string opened = "\"" + BrowserPath() + "\"  " + kAddress;
    EXPECT_TRUE(WaitUntil([&] { return BrowserLog() == opened; }, 10000)) << BrowserLog();
    EXPECT_TRUE(WaitForColour(kVisitedColor)) << "not drawn as visited";
    EXPECT_EQ(Hear(label, true).state, linked | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_TRAVERSED);
    EXPECT_TRUE(WaitUntil([&] { return BrowserLog() == opened + opened; }, 10000)) << BrowserLog();
    EXPECT_FALSE(program->FindMessageBox());
    EXPECT_FALSE(program->IsEnabled(IDC_STOP)) << "Enter started a run";

    // Space opens it too, once however long it is held: the keyboard repeats
    // its key-down, marked as already down.
    const LPARAM down =
        (static_cast<LPARAM>(::MapVirtualKeyA(VK_SPACE, MAPVK_VK_TO_VSC)) << 16) | 1;
    const LPARAM held = down | 0x40000000;
    for (const LPARAM flags : {down, held, held})
        ::PostMessageA(label, WM_KEYDOWN, VK_SPACE, flags);
    ::PostMessageA(label, WM_KEYUP, VK_SPACE, held | 0x80000000);
    EXPECT_TRUE(WaitUntil([&] { return BrowserLog() == opened + opened + opened; }, 10000))
        << BrowserLog();
    ::Sleep(1000);
    EXPECT_EQ(BrowserLog(), opened + opened + opened);
}

TEST_F(LinkLabel, ClickThatNothingCanOpenSaysWhyAndLeavesTheLinkUnvisited) {
    {
        const ShellCannotOpenAddresses registry(ShellCannotOpenAddresses::Command(BrowserPath()));
        ASSERT_TRUE(registry.Applied());
        ASSERT_TRUE(Hover()) << "no highlight on hover";
        ASSERT_TRUE(Xdotool("click 1"));
        ASSERT_TRUE(WaitUntil([] { return !BrowserLog().empty(); }, 10000));
        ASSERT_TRUE(MovePointer(DialogBesideLabel()));
        ASSERT_TRUE(WaitForColour(kVisitedColor)) << "not drawn as visited";
    }

    const ShellCannotOpenAddresses registry(
        ShellCannotOpenAddresses::Command(ShellCannotOpenAddresses::MissingProgram()));
    ASSERT_TRUE(registry.Applied());
    // A second click on the same spot soon after the first is a double click,
    // which the label does not take as a click.
    ::Sleep(::GetDoubleClickTime() + 100);
    ASSERT_TRUE(Hover()) << "no highlight on hover";
    ASSERT_TRUE(Xdotool("click 1"));
    const HWND box = program->WaitForMessageBox(10000);
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ(WindowText(box), "tarnwick");
    EXPECT_EQ(MessageText(box), "Unable to open hyperlink:\n\nThe specified file was not found.");
    program->Answer(box);
    EXPECT_TRUE(WaitUntil([this] { return !program->FindMessageBox(); }, 10000));

    ASSERT_TRUE(MovePointer(DialogBesideLabel()));
    EXPECT_TRUE(WaitForColour(kLinkColor)) << "still drawn as visited";
}

} // namespace

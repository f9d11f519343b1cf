#include "framework/fw_window.h"
#include "linklabel/link_label_win.h"
#include "tests/win/class_registry_win.h"
#include "tests/win/link_label_test_ids.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

const COLORREF kLinkColor = RGB(0, 0, 238);
const COLORREF kVisitedColor = RGB(85, 26, 139);
const char kAddress[] = "http://www.morrowfen.example/";
// No program is registered for this scheme, so the shell fails (31) and
// the label falls back to the program registered for web pages.
const char kUnhandledAddress[] = "tarnwick-test:nothing";
// The web page type the tests register .htm as.
const char kPageType[] = "TarnwickTest.Page";
const char kPageCommand[] = "TarnwickTest.Page\\shell\\open\\command";

std::string FakesDir() {
    const char* dir = std::getenv("TARNWICK_FAKES");
    return dir ? dir : "";
}

std::string BrowserLogPath() {
    char dir[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "tarnwick-link-browser.log";
}

std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// What the stand-in browser wrote, once it has (it writes in one go);
// empty if it did not run within ten seconds.
std::string WaitForBrowserLog() {
    const DWORD begin = ::GetTickCount();
    std::string text;
    while ((text = ReadFileText(BrowserLogPath())).empty() && ::GetTickCount() - begin < 10000)
        ::Sleep(50);
    return text;
}

RECT RectInParent(HWND control) {
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string Text(HWND window) {
    CString text;
    ReadWindowText(window, text);
    return text.str();
}

HFONT FontOf(HWND window) {
    return reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
}

LOGFONTA LogFontOf(HWND window) {
    LOGFONTA logFont{};
    ::GetObjectA(FontOf(window), sizeof logFont, &logFont);
    return logFont;
}

// The caption's size in the control's own font.
SIZE CaptionExtent(HWND control) {
    const std::string caption = Text(control);
    SIZE size{};
    const HDC dc = ::GetDC(control);
    const HGDIOBJ previous = ::SelectObject(dc, FontOf(control));
    ::GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    ::SelectObject(dc, previous);
    ::ReleaseDC(control, dc);
    return size;
}

TOOLINFOA LabelTool(HWND label, char* text) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = label;
    tool.uId = 1;
    tool.lpszText = text;
    return tool;
}

// The tooltip window of this thread that has a tool for the label.
HWND TooltipOf(HWND label) {
    struct Search {
        HWND label;
        HWND found;
    } search{label, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* search = reinterpret_cast<Search*>(param);
            char name[64] = "";
            ::GetClassNameA(window, name, sizeof name);
            TOOLINFOA tool = LabelTool(search->label, nullptr);
            if (std::string(name) != TOOLTIPS_CLASSA ||
                !::SendMessageA(window, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)))
                return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What the dialog does with the pointer's first move over the label.
void PointerComesOver(CLinkLabel& label) {
    MSG move{label.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1), ::GetTickCount(), {}};
    label.PreTranslateMessage(&move);
}

std::string TipText(HWND tip, HWND label) {
    char text[INFOTIPSIZE] = "";
    TOOLINFOA tool = LabelTool(label, text);
    ::SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

// The colour request a static control makes of its dialog before drawing.
struct ColourAnswer {
    COLORREF text;
    int backgroundMode;
    HBRUSH brush;
};

ColourAnswer AskColour(HWND dialog, HWND label) {
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const auto brush = reinterpret_cast<HBRUSH>(::SendMessageA(
        dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
    const ColourAnswer answer{::GetTextColor(dc), ::GetBkMode(dc), brush};
    ::DeleteDC(dc);
    return answer;
}

// What the window shows, read back from its own surface.
std::vector<COLORREF> Pixels(HWND window) {
    RECT client;
    ::GetClientRect(window, &client);
    const HDC dc = ::GetDC(window);
    const HDC memory = ::CreateCompatibleDC(dc);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(dc, client.right, client.bottom);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x)
            pixels.push_back(::GetPixel(memory, x, y));
    }
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(window, dc);
    return pixels;
}

int Count(const std::vector<COLORREF>& pixels, COLORREF colour) {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

// A message box of this thread, read and closed from a timer that its own
// modal loop runs.
struct SeenBox {
    bool seen = false;
    std::string text;
};
SeenBox g_box;

void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            char name[16] = "";
            ::GetClassNameA(window, name, sizeof name);
            const HWND message = ::GetDlgItem(window, 0xFFFF);
            if (std::string(name) != "#32770" || !::IsWindowVisible(window) || !message)
                return TRUE;
            g_box.seen = true;
            g_box.text = Text(message);
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
            return FALSE;
        },
        0);
}

// A dialog made from a template, with the link labels attached the way
// DDX_Control attaches them.
class LinkLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        m_hDialog = ::CreateDialogParamA(
            ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_LINKS), nullptr,
            [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR { return message == WM_INITDIALOG; },
            0);
        ASSERT_TRUE(m_hDialog);
        ASSERT_TRUE(dialog.SubclassWindow(m_hDialog));
        ::SetEnvironmentVariableA("TARNWICK_BROWSER_LOG", BrowserLogPath().c_str());
        ::DeleteFileA(BrowserLogPath().c_str());
    }
    void TearDown() override {
        if (m_hDialog)
            ::DestroyWindow(m_hDialog);
    }

    HWND Item(int id) const { return ::GetDlgItem(m_hDialog, id); }

    bool Attach(CLinkLabel& label, int id) { return label.SubclassWindow(Item(id)); }

    ColourAnswer AskColour(const CLinkLabel& label) const {
        return ::AskColour(m_hDialog, label.m_hWnd);
    }

    // Clicks the label as the mouse does; a static control tells its dialog
    // on the button going down. A message box that the click opens is read
    // and closed.
    void Click(const CLinkLabel& label) {
        g_box = SeenBox();
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &CloseMessageBox);
        ::SendMessageA(label.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::SendMessageA(label.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        ::KillTimer(nullptr, timer);
    }

    CWnd dialog;
    HWND m_hDialog = nullptr;
};

TEST_F(LinkLabelTest, AttachingFitsEachAlignmentToItsCaption) {
    const RECT leftBefore = RectInParent(Item(IDC_LINK_LEFT));
    const RECT centreBefore = RectInParent(Item(IDC_LINK_CENTRE));
    const RECT rightBefore = RectInParent(Item(IDC_LINK_RIGHT));
    CLinkLabel left, centre, right;
    ASSERT_TRUE(Attach(left, IDC_LINK_LEFT));
    ASSERT_TRUE(Attach(centre, IDC_LINK_CENTRE));
    ASSERT_TRUE(Attach(right, IDC_LINK_RIGHT));

    const SIZE text = CaptionExtent(left.m_hWnd);
    ASSERT_GT(text.cx, 0);
    // The template makes the left label narrower than its text and the
    // others wider, so both growing and shrinking are seen.
    ASSERT_GT(text.cx, leftBefore.right - leftBefore.left);
    ASSERT_LT(text.cx, centreBefore.right - centreBefore.left);
    ASSERT_LT(text.cx, rightBefore.right - rightBefore.left);

    const RECT leftAfter = RectInParent(left.m_hWnd);
    EXPECT_EQ(leftAfter.left, leftBefore.left);
    EXPECT_EQ(leftAfter.top, leftBefore.top);
    EXPECT_EQ(leftAfter.right - leftAfter.left, text.cx);
    EXPECT_EQ(leftAfter.bottom - leftAfter.top, text.cy);

    // Each side moves by half the difference, in whole pixels: the centre
    // stays exactly, the width may keep one pixel of an odd difference.
    const RECT centreAfter = RectInParent(centre.m_hWnd);
    EXPECT_EQ(centreAfter.left + centreAfter.right, centreBefore.left + centreBefore.right);
    EXPECT_NEAR(centreAfter.right - centreAfter.left, text.cx, 1);
    EXPECT_EQ(centreAfter.top, centreBefore.top);
    EXPECT_EQ(centreAfter.bottom - centreAfter.top, text.cy);

    const RECT rightAfter = RectInParent(right.m_hWnd);
    EXPECT_EQ(rightAfter.right, rightBefore.right);
    EXPECT_EQ(rightAfter.right - rightAfter.left, text.cx);
    EXPECT_EQ(rightAfter.top, rightBefore.top);
    EXPECT_EQ(rightAfter.bottom - rightAfter.top, text.cy);

    // Without it the control would not report clicks.
    EXPECT_TRUE(::GetWindowLongA(left.m_hWnd, GWL_STYLE) & SS_NOTIFY);
}

TEST_F(LinkLabelTest, FontIsAnUnderlinedCopyOfTheDialogsUntilUnderliningIsOff) {
    const LOGFONTA dialogFont = LogFontOf(m_hDialog);
    CLinkLabel label;
    ASSERT_TRUE(Attach(label, IDC_LINK_LEFT));
    const LOGFONTA underlined = LogFontOf(label.m_hWnd);
    EXPECT_EQ(underlined.lfUnderline, 1);
    EXPECT_STREQ(underlined.lfFaceName, dialogFont.lfFaceName);
    EXPECT_EQ(underlined.lfHeight, dialogFont.lfHeight);
    EXPECT_EQ(underlined.lfWeight, dialogFont.lfWeight);
    EXPECT_EQ(underlined.lfCharSet, dialogFont.lfCharSet);
    const RECT fitted = RectInParent(label.m_hWnd);

    label.EnableUnderline(FALSE);
    const LOGFONTA plain = LogFontOf(label.m_hWnd);
    EXPECT_EQ(plain.lfUnderline, 0);
    EXPECT_STREQ(plain.lfFaceName, dialogFont.lfFaceName);
    EXPECT_EQ(plain.lfHeight, dialogFont.lfHeight);
    EXPECT_EQ(plain.lfWeight, dialogFont.lfWeight);
    const RECT after = RectInParent(label.m_hWnd);
    EXPECT_TRUE(::EqualRect(&after, &fitted));
}

TEST_F(LinkLabelTest, TooltipShowsTheCaptionUntilAnAddressIsSet) {
    CLinkLabel label;
    ASSERT_TRUE(Attach(label, IDC_LINK_LEFT));
    // The tooltip is made when the pointer first comes over the label.
    EXPECT_FALSE(TooltipOf(label.m_hWnd));
    PointerComesOver(label);
    const HWND tip = TooltipOf(label.m_hWnd);
    ASSERT_TRUE(tip);
    EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(TipText(tip, label.m_hWnd), "Morrowfen");
    TOOLINFOA tool = LabelTool(label.m_hWnd, nullptr);
    ASSERT_TRUE(::SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)));
    RECT client;
    ::GetClientRect(label.m_hWnd, &client);
    EXPECT_TRUE(::EqualRect(&tool.rect, &client));

    const RECT fitted = RectInParent(label.m_hWnd);
    label.SetAddress(kAddress);
    EXPECT_EQ(TipText(tip, label.m_hWnd), kAddress);
    // The caption stays, and with it the size.
    EXPECT_EQ(Text(label.m_hWnd), "Morrowfen");
    const RECT after = RectInParent(label.m_hWnd);
    EXPECT_TRUE(::EqualRect(&after, &fitted));
}

TEST_F(LinkLabelTest, LabelWithoutCaptionShowsTheAddressSetBeforeAttaching) {
    CLinkLabel label;
    label.SetAddress(kAddress);
    const RECT before = RectInParent(Item(IDC_LINK_BLANK));
    ASSERT_TRUE(Attach(label, IDC_LINK_BLANK));
    EXPECT_EQ(Text(label.m_hWnd), kAddress);
    PointerComesOver(label);
    const HWND tip = TooltipOf(label.m_hWnd);
    ASSERT_TRUE(tip);
    EXPECT_EQ(TipText(tip, label.m_hWnd), kAddress);
    const RECT after = RectInParent(label.m_hWnd);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.right - after.left, CaptionExtent(label.m_hWnd).cx);
}

TEST_F(LinkLabelTest, DialogAnswersTheColourRequestWithTheLabelsColour) {
    CLinkLabel label;
    ASSERT_TRUE(Attach(label, IDC_LINK_LEFT));
    const ColourAnswer link = AskColour(label);
    EXPECT_EQ(link.text, kLinkColor);
    EXPECT_EQ(link.backgroundMode, TRANSPARENT);
    EXPECT_EQ(link.brush, ::GetStockObject(NULL_BRUSH));

    label.SetLinkVisited(TRUE);
    const ColourAnswer visited = AskColour(label);
    EXPECT_EQ(visited.text, kVisitedColor);
    EXPECT_EQ(visited.brush, ::GetStockObject(NULL_BRUSH));

    label.SetLinkVisited(FALSE);
    EXPECT_EQ(AskColour(label).text, kLinkColor);
}

// The label paints no background, so each change must have the dialog
// paint behind it first: what it shows then is what a repaint of the whole
// dialog shows, without the old colour's edges or the old underline.
TEST_F(LinkLabelTest, ChangesAreDrawnOnAFreshBackground) {
    CLinkLabel label;
    ASSERT_TRUE(Attach(label, IDC_LINK_LEFT));
    ::ShowWindow(m_hDialog, SW_SHOWNOACTIVATE);
    const auto paintPending = [this] {
        ::RedrawWindow(m_hDialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    const auto repaintAll = [this] {
        ::RedrawWindow(m_hDialog, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    paintPending();
    ASSERT_GT(Count(Pixels(label.m_hWnd), kLinkColor), 0);

    label.SetLinkVisited(TRUE);
    paintPending();
    const std::vector<COLORREF> visited = Pixels(label.m_hWnd);
    EXPECT_GT(Count(visited, kVisitedColor), 0);
    repaintAll();
    EXPECT_TRUE(Pixels(label.m_hWnd) == visited) << "traces of the link colour";

    label.EnableUnderline(FALSE);
    paintPending();
    const std::vector<COLORREF> plain = Pixels(label.m_hWnd);
    repaintAll();
    EXPECT_TRUE(Pixels(label.m_hWnd) == plain) << "traces of the underline";
}

TEST_F(LinkLabelTest, HoveringTakesTheMouseAndEndsWhenItMovesOffOrIsTaken) {
    CLinkLabel label;
    ASSERT_TRUE(Attach(label, IDC_LINK_LEFT));
    RECT client;
    ::GetClientRect(label.m_hWnd, &client);
    const LPARAM inside = MAKELPARAM(1, 1);
    const LPARAM outside = MAKELPARAM(client.right + 5, 1);

    ::SendMessageA(label.m_hWnd, WM_MOUSEMOVE, 0, inside);
    EXPECT_EQ(::GetCapture(), label.m_hWnd);
    EXPECT_EQ(AskColour(label).text, ::GetSysColor(COLOR_HIGHLIGHT));

    ::SendMessageA(label.m_hWnd, WM_MOUSEMOVE, 0, outside);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(AskColour(label).text, kLinkColor);

    // Hover wins over visited; another window taking the mouse ends it.
    label.SetLinkVisited(TRUE);
    ::SendMessageA(label.m_hWnd, WM_MOUSEMOVE, 0, inside);
    ASSERT_EQ(::GetCapture(), label.m_hWnd);
    EXPECT_EQ(AskColour(label).text, ::GetSysColor(COLOR_HIGHLIGHT));
    ::SetCapture(m_hDialog);
    EXPECT_EQ(AskColour(label).text, kVisitedColor);
    ::ReleaseCapture();
}

// Wine cannot switch high contrast on: the label is told it is on.
TEST_F(LinkLabelTest, HighContrastDrawsInTheHyperlinkColourAndHoverUnderlined) {
    const auto system = std::exchange(CLinkLabel::s_pfnHighContrastOn, [] { return true; });
    CLinkLabel label;
    EXPECT_TRUE(Attach(label, IDC_LINK_LEFT));
    label.EnableUnderline(FALSE);
    label.SetLinkVisited(TRUE);
    ::ShowWindow(m_hDialog, SW_SHOWNOACTIVATE);
    for (const int x : {1, -5}) { // over the label, then off it
        ::SendMessageA(label.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, 1));
        EXPECT_EQ(AskColour(label).text, ::GetSysColor(COLOR_HOTLIGHT));
        EXPECT_EQ(LogFontOf(label.m_hWnd).lfUnderline, x > 0);
    }
    CLinkLabel::s_pfnHighContrastOn = system;
}

// The dialog gives its controls a new font when the display's scale changes.
TEST_F(LinkLabelTest, NewFontIsMadeTheLabelsOwnAndTheLabelFitsItsText) {
    CLinkLabel label;
    ASSERT_TRUE(Attach(label, IDC_LINK_LEFT));
    ::ShowWindow(m_hDialog, SW_SHOWNOACTIVATE);
    PointerComesOver(label);
    const RECT before = RectInParent(label.m_hWnd);
    LOGFONTA larger = LogFontOf(m_hDialog);
    larger.lfHeight *= 2;
    const HFONT given = ::CreateFontIndirectA(&larger);
    ::SendMessageA(label.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(given), TRUE);
    ::DeleteObject(given);
    EXPECT_EQ(LogFontOf(label.m_hWnd).lfHeight, larger.lfHeight);
    EXPECT_EQ(LogFontOf(label.m_hWnd).lfUnderline, 1);
    EXPECT_GT(Count(Pixels(label.m_hWnd), kLinkColor), 0) << "caption not drawn";
    const SIZE text = CaptionExtent(label.m_hWnd);
    const RECT fitted{before.left, before.top, before.left + text.cx, before.top + text.cy};
    const RECT after = RectInParent(label.m_hWnd);
    EXPECT_TRUE(::EqualRect(&after, &fitted));
    TOOLINFOA tool = LabelTool(label.m_hWnd, nullptr);
    ::SendMessageA(TooltipOf(label.m_hWnd), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(tool.rect.right, text.cx);
}

TEST(LinkLabelRegistry, ReadsTheDefaultValueOfAKey) {
    const ClassesRootDefault key(".tarnwicktest", "TarnwickTest.Value");
    ASSERT_TRUE(key.Applied());
    char output[MAX_PATH] = "untouched";
    EXPECT_EQ(CLinkLabel::ReadRegDefault(HKEY_CLASSES_ROOT, ".tarnwicktest", output),
              ERROR_SUCCESS);
    EXPECT_STREQ(output, "TarnwickTest.Value");

    // The name of the key to read may be in the buffer the value goes to.
    char both[MAX_PATH] = ".tarnwicktest";
    EXPECT_EQ(CLinkLabel::ReadRegDefault(HKEY_CLASSES_ROOT, both, both), ERROR_SUCCESS);
    EXPECT_STREQ(both, "TarnwickTest.Value");
}

TEST(LinkLabelRegistry, MissingKeyGivesItsErrorAndLeavesTheOutputAlone) {
    char output[MAX_PATH] = "untouched";
    EXPECT_EQ(CLinkLabel::ReadRegDefault(HKEY_CLASSES_ROOT, ".tarnwicktest-none", output),
              ERROR_FILE_NOT_FOUND);
    EXPECT_STREQ(output, "untouched");
}

TEST(LinkLabelRegistry, ValueMustFitInMaxPathBytes) {
    char output[MAX_PATH] = "untouched";
    {
        const std::string fits(MAX_PATH - 1, 'a');
        const ClassesRootDefault key(".tarnwicktest", fits);
        ASSERT_TRUE(key.Applied());
        EXPECT_EQ(CLinkLabel::ReadRegDefault(HKEY_CLASSES_ROOT, ".tarnwicktest", output),
                  ERROR_SUCCESS);
        EXPECT_EQ(std::string(output), fits);
    }
    std::strcpy(output, "untouched");
    const ClassesRootDefault key(".tarnwicktest", std::string(MAX_PATH, 'b'));
    ASSERT_TRUE(key.Applied());
    EXPECT_EQ(CLinkLabel::ReadRegDefault(HKEY_CLASSES_ROOT, ".tarnwicktest", output),
              ERROR_MORE_DATA);
    EXPECT_STREQ(output, "untouched");
}

// Web pages registered with a type that the given browser opens.
class RegisteredPages {
public:
    explicit RegisteredPages(const std::string& browser)
        : m_htm(".htm", kPageType), m_command(kPageCommand, "\"" + browser + "\" \"%1\"") {}
    bool Applied() const { return m_htm.Applied() && m_command.Applied(); }

private:
    const ClassesRootDefault m_htm;
    const ClassesRootDefault m_command;
};

std::string BrowserPath() { return FakesDir() + "\\browser.exe"; }
std::string MissingBrowserPath() { return FakesDir() + "\\no-such-browser.exe"; }

TEST_F(LinkLabelTest, AddressTheShellCannotOpenGoesToTheRegisteredBrowser) {
    const RegisteredPages pages(BrowserPath());
    ASSERT_TRUE(pages.Applied());
    EXPECT_GT(CLinkLabel::OpenAddress(kUnhandledAddress, SW_SHOW), 32);
    EXPECT_EQ(WaitForBrowserLog(), "\"" + BrowserPath() + "\"  " + kUnhandledAddress);
}

TEST_F(LinkLabelTest, OpeningFailsWithTheFallbacksErrorOrElseTheShells) {
    {
        const RegisteredPages pages(MissingBrowserPath());
        ASSERT_TRUE(pages.Applied());
        EXPECT_EQ(CLinkLabel::OpenAddress(kUnhandledAddress, SW_SHOW), ERROR_FILE_NOT_FOUND);
    }
    // A page type without an open command leaves the shell's answer.
    const ClassesRootDefault htm(".htm", kPageType);
    ASSERT_TRUE(htm.Applied());
    EXPECT_EQ(CLinkLabel::OpenAddress(kUnhandledAddress, SW_SHOW), SE_ERR_NOASSOC);
}

TEST_F(LinkLabelTest, ClickThatOpensTheAddressMarksTheLinkVisited) {
    const RegisteredPages pages(BrowserPath());
    ASSERT_TRUE(pages.Applied());
    CLinkLabel label;
    label.SetAddress(kUnhandledAddress);
    ASSERT_TRUE(Attach(label, IDC_LINK_LEFT));

    Click(label);
    EXPECT_FALSE(g_box.seen) << g_box.text;
    EXPECT_EQ(AskColour(label).text, kVisitedColor);
    EXPECT_EQ(WaitForBrowserLog(), "\"" + BrowserPath() + "\"  " + kUnhandledAddress);
}

TEST_F(LinkLabelTest, ClickThatCannotOpenTheAddressSaysWhyAndLeavesTheLinkUnvisited) {
    const RegisteredPages pages(MissingBrowserPath());
    ASSERT_TRUE(pages.Applied());
    CLinkLabel label;
    label.SetAddress(kUnhandledAddress);
    ASSERT_TRUE(Attach(label, IDC_LINK_LEFT));
    label.SetLinkVisited(TRUE);

    Click(label);
    ASSERT_TRUE(g_box.seen);
    EXPECT_EQ(g_box.text, "Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_EQ(AskColour(label).text, kLinkColor);
}

} // namespace

#include "tests/e2e/driver_win.h"

#include <oleacc.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace e2e {

namespace {

const DWORD kPollMs = 50;
// Without a window manager the program's thread may stall for seconds after
// hiding a window; a reply must be allowed that long.
const UINT kReplyTimeoutMs = 10000;
// The save dialog's field for the file name.
const int kFileNameField = 1148;

bool IsAboutBox(HWND window) { return Caption(window) == "关于Tarnwick"; }

// What a click on the button tells its dialog. Posted, not sent: a click
// that opens a message box would block a sender until the box is closed.
// BM_CLICK, which plays the mouse on the button, was seen to get lost right
// after the program's start.
bool PostClick(HWND dialog, int id) {
    return ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                          reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id))) != FALSE;
}

// Rows of 24-bit pixels are padded to whole DWORDs and stored bottom up.
bool WriteBmp(const std::string& path, const Picture& picture) {
    const DWORD stride = (static_cast<DWORD>(picture.width) * 3 + 3) & ~3u;
    const DWORD size = stride * static_cast<DWORD>(picture.height);
    std::vector<unsigned char> bits(size);
    for (int y = 0; y < picture.height; ++y) {
        unsigned char* row = &bits[static_cast<std::size_t>(picture.height - 1 - y) * stride];
        for (int x = 0; x < picture.width; ++x, row += 3) {
            const COLORREF pixel = picture.At(x, y);
            row[0] = GetBValue(pixel);
            row[1] = GetGValue(pixel);
            row[2] = GetRValue(pixel);
        }
    }

    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = picture.width;
    info.biHeight = picture.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = size;
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + size;

    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                         std::fwrite(&info, sizeof info, 1, out) == 1 &&
                         std::fwrite(bits.data(), size, 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

} // namespace

std::string To936(const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    const int size =
        ::WideCharToMultiByte(936, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(936, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::wstring From936(const std::string& bytes) {
    const int length = static_cast<int>(bytes.size());
    const int size = ::MultiByteToWideChar(936, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(936, 0, bytes.data(), length, text.data(), size);
    return text;
}

std::string ClassName(HWND window) {
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::string Caption(HWND window) {
    wchar_t caption[256] = L"";
    ::GetWindowTextW(window, caption, 256);
    return To936(caption);
}

HWND FindTopLevel(DWORD processId, const std::function<bool(HWND)>& wanted) {
    struct Search {
        DWORD processId;
        const std::function<bool(HWND)>& wanted;
        HWND found;
    } search{processId, wanted, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* search = reinterpret_cast<Search*>(param);
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            if (process != search->processId || !::IsWindowVisible(window) ||
                !search->wanted(window))
                return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DWORD TimeScale() {
    static const DWORD scale = [] {
        const DWORD value = std::strtoul(Env("TARNWICK_TIME_SCALE").c_str(), nullptr, 10);
        return value ? value : 1;
    }();
    return scale;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD begin = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - begin >= timeoutMs * TimeScale())
            return false;
        ::Sleep(kPollMs);
    }
    return true;
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
    const DWORD limit = kReplyTimeoutMs * TimeScale();
    const DWORD begin = ::GetTickCount();
    // A thread that seems hung (no look at its queue for five seconds) is
    // not handed the message, only asked again until the limit: it may yet
    // come back, as after hiding a window.
    for (DWORD spent = 0; spent < limit && ::IsWindow(window); spent = ::GetTickCount() - begin) {
        if (::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, limit - spent,
                                  result))
            return true;
        ::Sleep(kPollMs);
    }
    // Says where a stalled test was, which the failed check after it cannot;
    // a window that went away did not stall.
    if (::IsWindow(window))
        std::fprintf(
            stderr, "no answer to message %#x from window %p (%s \"%s\", thread %lu) in %lu ms\n",
            message, static_cast<void*>(window), ClassName(window).c_str(), Caption(window).c_str(),
            ::GetWindowThreadProcessId(window, nullptr), ::GetTickCount() - begin);
    return false;
}

std::string WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!Send(window, WM_GETTEXTLENGTH, 0, 0, &length))
        return std::string();
    std::vector<wchar_t> text(length + 1);
    DWORD_PTR copied = 0;
    if (!Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied))
        return std::string();
    return To936(std::wstring(text.data(), std::min<std::size_t>(copied, length)));
}

int Picture::Count(COLORREF colour) const {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

BITMAPINFO TopDownBitmapInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

Picture Capture(HWND window) {
    RECT area;
    if (!::GetWindowRect(window, &area) || area.right <= area.left || area.bottom <= area.top)
        return Picture();
    Picture picture;
    picture.width = area.right - area.left;
    picture.height = area.bottom - area.top;
    BITMAPINFO info = TopDownBitmapInfo(picture.width, picture.height);
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) {
        const HGDIOBJ previous = ::SelectObject(memory, bitmap);
        if (::BitBlt(memory, 0, 0, picture.width, picture.height, screen, area.left, area.top,
                     SRCCOPY)) {
            ::GdiFlush();
            const auto* bgrx = static_cast<const BYTE*>(bits);
            for (int i = 0; i < picture.width * picture.height; ++i, bgrx += 4)
                picture.pixels.push_back(RGB(bgrx[2], bgrx[1], bgrx[0]));
        }
        ::SelectObject(memory, previous);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    if (picture.pixels.empty())
        return Picture();
    return picture;
}

bool SaveScreenshot(HWND window, const std::string& bmpPath) {
    // The run's last lines may be in the pane with its repaint still due when
    // the buttons come back: the picture is the window once it has stopped
    // changing (two captures 100 ms apart agree), or after two seconds.
    Picture picture = Capture(window);
    for (int i = 0; i < 20; ++i) {
        ::Sleep(100);
        Picture again = Capture(window);
        if (again.pixels == picture.pixels)
            break;
        picture = std::move(again);
    }
    // A failed capture leaves one colour everywhere.
    const bool blank = picture.pixels.empty() ||
                       picture.Count(picture.pixels[0]) == static_cast<int>(picture.pixels.size());
    return !blank && WriteBmp(bmpPath, picture);
}

void PressButton(HWND dialog, int id) { PostClick(dialog, id); }

void PressKey(HWND window, WPARAM key) {
    const LPARAM scanCode = static_cast<LPARAM>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageA(window, WM_KEYDOWN, key, scanCode | 1);
    ::PostMessageA(window, WM_KEYUP, key, scanCode | 1 | 0xC0000000);
}

// A message box shows its text in a static control of this id.
std::string MessageText(HWND box) { return WindowText(::GetDlgItem(box, 0xFFFF)); }

bool ReadFileBytes(const std::string& path, std::string* bytes) {
    return ReadFileBytes(From936(path), bytes);
}

bool ReadFileBytes(const std::wstring& path, std::string* bytes) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes->clear();
    char buffer[4096];
    DWORD got = 0;
    BOOL read = FALSE;
    while ((read = ::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0)
        bytes->append(buffer, got);
    ::CloseHandle(file);
    return read != FALSE;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    const HANDLE search = ::FindFirstFileW(From936(folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = To936(entry.cFileName);
        if (name != "." && name != "..")
            names.push_back(name);
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

// Wine lets CreateProcess return only once the new process has finished
// Wine's own start-up, before any of the program's code has run. A process
// that ends before then leaves no exit status, and CreateProcess fails with
// ERROR_INTERNAL_ERROR: Wine itself lost it, silently (its loader could not be
// executed or died; a loaded machine makes that likelier). No fault of the
// program can cause that, so that error alone is tried again, and said; every
// other one fails at once.
const int kStartAttempts = 3;

bool StartProcess(const std::string& exePath, PROCESS_INFORMATION* process) {
    for (int attempt = 1;; ++attempt) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + exePath + "\"";
        if (::CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, nullptr, &startup, process))
            return true;
        const DWORD error = ::GetLastError();
        std::fprintf(stderr, "cannot start %s (error %lu)\n", exePath.c_str(), error);
        if (error != ERROR_INTERNAL_ERROR || attempt == kStartAttempts)
            return false;
        std::fprintf(stderr, "Wine lost the new process while starting it; starting it again\n");
    }
}

} // namespace

StallWatch::StallWatch(const std::string& what, DWORD limitMs)
    : m_what(what), m_limitMs(limitMs), m_done(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_thread(m_done ? ::CreateThread(nullptr, 0, &StallWatch::Watch, this, 0, nullptr)
                      : nullptr) {}

StallWatch::~StallWatch() {
    if (m_thread) {
        ::SetEvent(m_done);
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
    }
    if (m_done)
        ::CloseHandle(m_done);
}

DWORD WINAPI StallWatch::Watch(LPVOID param) {
    const auto* self = static_cast<const StallWatch*>(param);
    if (::WaitForSingleObject(self->m_done, self->m_limitMs) != WAIT_TIMEOUT)
        return 0;
    std::fprintf(stderr, "stalled: %s has not returned in %lu ms\n", self->m_what.c_str(),
                 self->m_limitMs);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return 0;
}

bool HasLoaded(HANDLE process, const std::string& dll) {
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!::EnumProcessModules(process, modules, sizeof modules, &bytes))
        return false;
    for (DWORD i = 0; i < bytes / sizeof modules[0] && i < std::size(modules); ++i) {
        char name[MAX_PATH] = "";
        if (::GetModuleBaseNameA(process, modules[i], name, MAX_PATH) &&
            ::lstrcmpiA(name, dll.c_str()) == 0)
            return true;
    }
    return false;
}

Heard Hear(HWND window, bool doDefaultAction) {
    Heard heard;
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // for the rest of the test
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                            __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&object))))
        return heard;
    VARIANT self{}, role{}, state{};
    self.vt = VT_I4; // CHILDID_SELF
    object->get_accRole(self, &role);
    object->get_accState(self, &state);
    heard.role = role.lVal;
    heard.state = state.lVal;
    BSTR texts[3] = {};
    object->get_accName(self, &texts[0]);
    object->get_accValue(self, &texts[1]);
    object->get_accDefaultAction(self, &texts[2]);
    std::string* heardTexts[] = {&heard.name, &heard.value, &heard.defaultAction};
    for (int i = 0; i < 3; ++i) {
        *heardTexts[i] = texts[i] ? To936(texts[i]) : "";
        ::SysFreeString(texts[i]);
    }
    if (doDefaultAction)
        object->accDoDefaultAction(self);
    object->Release();
    return heard;
}

Program::Program(const std::string& exePath, DWORD startTimeoutMs) {
    ::SetProcessDPIAware(); // the screen's own pixels, as the program and the X server count
    const StallWatch watch("starting " + exePath, startTimeoutMs * TimeScale());
    if (!StartProcess(exePath, &m_process)) {
        m_process = PROCESS_INFORMATION{};
        return;
    }
    // The first window of a Wine session waits about ten seconds for Wine's
    // desktop to come up.
    const bool shown = WaitUntil(
        [this] {
            m_dialog = FindTopLevel(m_process.dwProcessId, [](HWND window) {
                return ClassName(window) == "#32770" && Caption(window) == "Tarnwick";
            });
            return m_dialog != nullptr;
        },
        startTimeoutMs);
    DWORD exitCode = STILL_ACTIVE;
    if (shown || !::GetExitCodeProcess(m_process.hProcess, &exitCode))
        return;
    if (exitCode == STILL_ACTIVE)
        std::fprintf(stderr, "%s is running but showed no dialog\n", exePath.c_str());
    else
        std::fprintf(stderr, "%s ended with code %#lx before its dialog\n", exePath.c_str(),
                     exitCode);
}

Program::~Program() {
    if (!m_process.hProcess)
        return;
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, 5000);
    }
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
}

void Program::SetText(int id, const std::string& text) { SetText(id, From936(text)); }

void Program::SetText(int id, const std::wstring& text) {
    DWORD_PTR ignored = 0;
    Send(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &ignored);
}

bool Program::Click(int id) {
    if (!IsEnabled(id))
        return false;
    return PostClick(m_dialog, id);
}

bool Program::FocusOn(int id) {
    DWORD_PTR ignored = 0;
    // The dialog moves its own focus; another process cannot.
    Send(m_dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE, &ignored);
    return Focused() == Item(id);
}

HWND Program::Focused() const {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    return ::GetGUIThreadInfo(m_process.dwThreadId, &thread) ? thread.hwndFocus : nullptr;
}

bool Program::PressEnterIn(int id) {
    if (!FocusOn(id))
        return false;
    PressKey(Item(id), VK_RETURN);
    return true;
}

HWND Program::FindMessageBox() const {
    return FindTopLevel(m_process.dwProcessId, [this](HWND window) {
        return window != m_dialog && ClassName(window) == "#32770" &&
               ::GetWindow(window, GW_OWNER) == m_dialog;
    });
}

HWND Program::WaitForMessageBox(DWORD timeoutMs) const {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            box = FindMessageBox();
            return box != nullptr;
        },
        timeoutMs);
    return box;
}

HWND Program::FindDialog(HWND owner, const std::function<bool(HWND)>& wanted) const {
    return FindTopLevel(m_process.dwProcessId, [&](HWND window) {
        return window != m_dialog && ClassName(window) == "#32770" &&
               ::GetWindow(window, GW_OWNER) == owner && wanted(window);
    });
}

HWND Program::WaitForDialog(HWND owner, const std::function<bool(HWND)>& wanted,
                            DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindDialog(owner, wanted);
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

HWND Program::WaitForSaveDialog(DWORD timeoutMs) const {
    return WaitForDialog(
        m_dialog, [](HWND window) { return ::GetDlgItem(window, kFileNameField) != nullptr; },
        timeoutMs);
}

std::string Program::FileName(HWND saveDialog) const {
    return WindowText(::GetDlgItem(saveDialog, kFileNameField));
}

void Program::TypeFileName(HWND saveDialog, const std::string& fileName) {
    TypeFileName(saveDialog, From936(fileName));
}

void Program::TypeFileName(HWND saveDialog, const std::wstring& fileName) {
    DWORD_PTR ignored = 0;
    Send(::GetDlgItem(saveDialog, kFileNameField), WM_SETTEXT, 0,
         reinterpret_cast<LPARAM>(fileName.c_str()), &ignored);
}

void Program::SaveAs(HWND saveDialog, const std::string& fileName) {
    SaveAs(saveDialog, From936(fileName));
}

void Program::SaveAs(HWND saveDialog, const std::wstring& fileName) {
    TypeFileName(saveDialog, fileName);
    PostClick(saveDialog, IDOK);
}

HWND Program::WaitForOverwritePrompt(HWND saveDialog, DWORD timeoutMs) const {
    return WaitForDialog(
        saveDialog, [](HWND) { return true; }, timeoutMs);
}

HWND Program::FindAboutBox() const { return FindDialog(m_dialog, IsAboutBox); }

HWND Program::WaitForAboutBox(DWORD timeoutMs) const {
    return WaitForDialog(m_dialog, IsAboutBox, timeoutMs);
}

HWND Program::FindTooltip() const {
    return FindTopLevel(m_process.dwProcessId,
                        [](HWND window) { return ClassName(window) == "tooltips_class32"; });
}

HWND Program::FindOpenMenu() const {
    return FindTopLevel(m_process.dwProcessId,
                        [](HWND window) { return ClassName(window) == "#32768"; });
}

bool Program::IsAlive() const {
    return m_process.hProcess && ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

void Program::Answer(HWND box) { PostClick(box, ::GetDlgItem(box, IDOK) ? IDOK : IDCANCEL); }

bool Program::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (::WaitForSingleObject(m_process.hProcess, timeoutMs * TimeScale()) != WAIT_OBJECT_0)
        return false;
    ::GetExitCodeProcess(m_process.hProcess, exitCode);
    return true;
}

} // namespace e2e

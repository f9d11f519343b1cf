#include "diag/run_captured_win.h"

#include "diag/output_pump.h"
#include "framework/fw_text.h"

#include <vector>

namespace {

class PipeSource : public diag::ByteSource {
public:
    explicit PipeSource(HANDLE pipe) : m_pipe(pipe) {}
    bool Read(char* buffer, std::size_t capacity, std::size_t* bytesRead) override {
        DWORD got = 0;
        const BOOL ok = ::ReadFile(m_pipe, buffer, static_cast<DWORD>(capacity), &got, nullptr);
        *bytesRead = got;
        return ok != FALSE;
    }

private:
    HANDLE m_pipe;
};

bool IsConsoleLeadByte(unsigned char byte) {
    return ::IsDBCSLeadByteEx(ConsoleCodePage(), byte) != FALSE;
}

// Console programs write UTF-8 where the system uses it for every language (the code page is
// 65001), and otherwise a single- or double-byte code page.
std::size_t ConsoleIncompleteTail(const std::string& text) {
    return ConsoleCodePage() == CP_UTF8 ? diag::Utf8Tail(text)
                                        : diag::DoubleByteTail(text, &IsConsoleLeadByte);
}

std::wstring SystemDirectory() {
    wchar_t path[MAX_PATH] = L"";
    const UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

// Starts the child hidden, writing to the output handle, which is the one
// handle it inherits: while a stopped run's command goes on, a new run's
// child that held that run's pipe (or a probe's socket) would keep it open.
// Its console has no window at all: a console made for it could otherwise be
// handed to a terminal program, which would show it.
bool StartChild(const std::wstring& application, std::wstring commandLine, const wchar_t* directory,
                HANDLE output, PROCESS_INFORMATION* child) {
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<char> attributeBytes(size);
    const auto attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeBytes.data());
    if (!::InitializeProcThreadAttributeList(attributes, 1, 0, &size))
        return false;
    HANDLE inherited[] = {output};
    bool started = false;
    if (::UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                    sizeof inherited, nullptr, nullptr)) {
        STARTUPINFOEXW startup{};
        startup.StartupInfo.cb = sizeof startup;
        startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
        startup.StartupInfo.wShowWindow = SW_HIDE;
        startup.StartupInfo.hStdOutput = output;
        startup.StartupInfo.hStdError = output;
        startup.lpAttributeList = attributes;
        started = ::CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                   EXTENDED_STARTUPINFO_PRESENT | CREATE_NO_WINDOW, nullptr,
                                   directory, &startup.StartupInfo, child) != FALSE;
    }
    ::DeleteProcThreadAttributeList(attributes);
    return started;
}

} // namespace

UINT ConsoleCodePage() { return ::GetOEMCP(); }

std::wstring SystemCommandInterpreter() { return SystemDirectory() + L"\\cmd.exe"; }

bool RunCaptured(const std::string& commandLine, diag::OutputSink& sink) {
    return RunCapturedWith(SystemCommandInterpreter(), commandLine, sink);
}

bool RunCapturedWith(const std::wstring& application, const std::string& commandLine,
                     diag::OutputSink& sink) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return false;
    // Only the write end is the child's; a child that held the read end too
    // would keep the pipe of another run open.
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    // The system's interpreter by its full path, started in the system
    // directory: a cmd.exe, ping or tracert that happens to lie beside the
    // program or in the user's folder is never run. The command line is the
    // very text that was checked, converted from its own code page: no
    // system code page can make the interpreter read other characters.
    const std::wstring directory = SystemDirectory();
    PROCESS_INFORMATION child{};
    if (!StartChild(application, Widen(commandLine),
                    directory.empty() ? nullptr : directory.c_str(), writeEnd, &child)) {
        ::CloseHandle(readEnd);
        ::CloseHandle(writeEnd);
        return false;
    }
    ::CloseHandle(child.hProcess);
    ::CloseHandle(child.hThread);
    // Once the child and whatever it starts have closed their copies, reading
    // reports the end of the output.
    ::CloseHandle(writeEnd);

    PipeSource source(readEnd);
    diag::PumpOutput(source, sink, &ConsoleIncompleteTail);
    ::CloseHandle(readEnd);
    return true;
}

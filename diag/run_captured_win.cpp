#include "diag/run_captured_win.h"

#include "diag/output_pump.h"
#include "framework/fw_text.h"

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

std::wstring SystemDirectory() {
    wchar_t path[MAX_PATH] = L"";
    const UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
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

    STARTUPINFOW startup{};
    ::GetStartupInfoW(&startup);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.wShowWindow = SW_HIDE;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;

    // The system's interpreter by its full path, started in the system
    // directory: a cmd.exe, ping or tracert that happens to lie beside the
    // program or in the user's folder is never run. The command line is the
    // very text that was checked, converted from its own code page: no
    // system code page can make the interpreter read other characters.
    std::wstring mutableCommand = Widen(commandLine);
    const std::wstring directory = SystemDirectory();
    PROCESS_INFORMATION child{};
    if (!::CreateProcessW(application.c_str(), mutableCommand.data(), nullptr, nullptr, TRUE, 0,
                          nullptr, directory.empty() ? nullptr : directory.c_str(), &startup,
                          &child)) {
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
    diag::PumpOutput(source, sink, &IsConsoleLeadByte);
    ::CloseHandle(readEnd);
    return true;
}

#include "bench/plain_child_win.h"

#include <vector>

namespace bench {

HANDLE StartCaptured(const std::string& command) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return nullptr;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    ::GetStartupInfoA(&startup);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.wShowWindow = SW_HIDE;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;

    char system[MAX_PATH] = "";
    ::GetSystemDirectoryA(system, MAX_PATH);
    const std::string interpreter = std::string(system) + "\\cmd.exe";
    std::string line = "cmd.exe /c " + command;
    PROCESS_INFORMATION child{};
    const BOOL started = ::CreateProcessA(interpreter.c_str(), line.data(), nullptr, nullptr, TRUE,
                                          0, nullptr, system, &startup, &child);
    ::CloseHandle(writeEnd);
    if (!started) {
        ::CloseHandle(readEnd);
        return nullptr;
    }
    ::CloseHandle(child.hProcess);
    ::CloseHandle(child.hThread);
    return readEnd;
}

} // namespace bench

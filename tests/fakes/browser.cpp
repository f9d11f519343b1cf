// Stands in for the web browser that the link label starts when the shell
// cannot open its address: adds the command line it was started with to the
// file named by TARNWICK_BROWSER_LOG, so a test can see what it was given, and
// how often.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char log[MAX_PATH] = "";
    const DWORD length = ::GetEnvironmentVariableA("TARNWICK_BROWSER_LOG", log, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 2;
    const HANDLE file = ::CreateFileA(log, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const char* commandLine = ::GetCommandLineA();
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, commandLine, static_cast<DWORD>(std::strlen(commandLine)),
                                &written, nullptr);
    ::CloseHandle(file);
    return ok ? 0 : 1;
}

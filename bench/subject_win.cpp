#include "bench/subject_win.h"

#include "tests/e2e/driver_win.h"

#include <psapi.h>

#include <cstdio>
#include <cstring>

namespace bench {

Subject::Subject(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &m_process)) {
        std::fprintf(stderr, "bench: cannot start %s (error %lu)\n", commandLine.c_str(),
                     ::GetLastError());
        m_process = PROCESS_INFORMATION{};
    }
}

Subject::~Subject() {
    if (!m_process.hProcess)
        return;
    if (m_dialog)
        ::PostMessageA(m_dialog, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(m_process.hProcess, m_dialog ? 10000 : 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, 5000);
    }
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
}

HWND Subject::WaitForDialog(const char* caption, DWORD timeoutMs) {
    if (!m_process.hProcess)
        return nullptr;
    const std::string wanted = caption;
    const DWORD processId = m_process.dwProcessId;
    HWND found = nullptr;
    PollUntil(
        [&] {
            found = e2e::FindTopLevel(processId, [&](HWND window) {
                return e2e::ClassName(window) == "#32770" && e2e::Caption(window) == wanted;
            });
            return found != nullptr;
        },
        timeoutMs);
    DWORD_PTR ignored = 0;
    if (found && ::SendMessageTimeoutA(found, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored))
        m_dialog = found;
    return m_dialog;
}

double Subject::PeakWorkingSet() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(m_process.hProcess, &counters, sizeof counters))
        return 0;
    return static_cast<double>(counters.PeakWorkingSetSize);
}

bool PollUntil(bool (*condition)(const void*), const void* context, DWORD timeoutMs) {
    const DWORD begin = ::GetTickCount();
    while (!condition(context)) {
        if (::GetTickCount() - begin >= timeoutMs)
            return false;
        ::Sleep(1);
    }
    return true;
}

NamedEvent::NamedEvent(const std::string& role) {
    static unsigned serial = 0;
    m_name = "TarnwickBench." + role + "." + std::to_string(::GetCurrentProcessId()) + "." +
             std::to_string(++serial);
    m_handle = ::CreateEventA(nullptr, TRUE, FALSE, m_name.c_str());
}

std::string PrepareTracert(const std::string& folder, const std::string& mode) {
    const std::string path = folder + "\\tracert-times.txt";
    ::DeleteFileA(path.c_str());
    ::SetEnvironmentVariableA("TARNWICK_BENCH_TRACERT", mode.c_str());
    ::SetEnvironmentVariableA("TARNWICK_BENCH_TIMES", path.c_str());
    return path;
}

bool ReadTracertTimes(const std::string& path, TracertTimes* times) {
    FILE* in = std::fopen(path.c_str(), "r");
    if (!in)
        return false;
    *times = TracertTimes();
    char what[16];
    long long at = 0;
    while (std::fscanf(in, "%15s %lld", what, &at) == 2) {
        if (std::strcmp(what, "start") == 0)
            times->start = at;
        else if (std::strcmp(what, "end") == 0)
            times->end = at;
        else
            times->writes.push_back(at);
    }
    std::fclose(in);
    return times->start != 0 && times->end != 0;
}

} // namespace bench

#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

// One program under measurement, started fresh for one measurement and ended with it.
class Subject {
public:
    // Starts the command line; the program inherits the driver's environment as it is now.
    explicit Subject(const std::string& commandLine);
    // Closes the program's dialog if it has one, else ends it by force.
    ~Subject();
    Subject(const Subject&) = delete;
    Subject& operator=(const Subject&) = delete;

    bool Started() const { return m_process.hProcess != nullptr; }
    HANDLE Process() const { return m_process.hProcess; }
    // Waits for the program's dialog with this caption to be visible and to answer; null when it
    // did not in time. Polls every millisecond, so the moment it returns is when that happened.
    HWND WaitForDialog(const char* caption, DWORD timeoutMs);
    HWND Dialog() const { return m_dialog; }
    // The most the program has had in memory at once, in bytes.
    double PeakWorkingSet() const;

private:
    PROCESS_INFORMATION m_process{};
    HWND m_dialog = nullptr;
};

// Polls the condition every millisecond; false if it did not hold within the time.
bool PollUntil(bool (*condition)(const void*), const void* context, DWORD timeoutMs);

template <typename F> bool PollUntil(const F& condition, DWORD timeoutMs) {
    return PollUntil([](const void* f) { return (*static_cast<const F*>(f))(); }, &condition,
                     timeoutMs);
}

// A named event of the driver's own, for a plain program to open by name.
class NamedEvent {
public:
    explicit NamedEvent(const std::string& role);
    ~NamedEvent() { ::CloseHandle(m_handle); }
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    const std::string& Name() const { return m_name; }
    void Set() { ::SetEvent(m_handle); }
    bool IsSet() const { return ::WaitForSingleObject(m_handle, 0) == WAIT_OBJECT_0; }

private:
    std::string m_name;
    HANDLE m_handle;
};

// What the benchmark's tracert recorded: when it started and ended, and when it wrote each piece.
struct TracertTimes {
    long long start = 0;
    long long end = 0;
    std::vector<long long> writes;
};

// The file the benchmark's tracert records into (emptied now), exported to every program the
// driver starts after this, with the tracert's mode ("hops 20 50", "flood 1048576", ...).
std::string PrepareTracert(const std::string& folder, const std::string& mode);
bool ReadTracertTimes(const std::string& path, TracertTimes* times);

} // namespace bench

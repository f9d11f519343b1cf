#include "bench/figures_win.h"

#include "bench/bench_clock_win.h"
#include "bench/plain_pane.h"
#include "bench/subject_win.h"
#include "bench/watchers_win.h"
#include "res/resource.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>

namespace bench {

namespace {

const DWORD kStartTimeoutMs = 60000;
const DWORD kRunTimeoutMs = 600000;
const char kTarnwickCaption[] = "Tarnwick";
const char kPlainCaption[] = "Plain pane";
// Names nobody can resolve: the ping and the probe around the measured trace end at once.
const char kUnresolvable[] = "www.bench.invalid";

double Ms(long long micros) { return static_cast<double>(micros) / 1000.0; }

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

bool IsEnabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

// The program freshly started, its dialog up and the target typed in.
struct TarnwickRun {
    explicit TarnwickRun(const Setup& setup) : subject(Quoted(setup.tarnwick)) {
        dialog = subject.WaitForDialog(kTarnwickCaption, kStartTimeoutMs);
    }

    // Presses Start and waits for the run to end, when Start is enabled again; returns the time
    // of the press, 0 if the run did not start or end.
    long long Run(const std::string& target) {
        DWORD_PTR ignored = 0;
        if (!dialog || !::SendMessageTimeoutA(::GetDlgItem(dialog, IDC_TARGET), WM_SETTEXT, 0,
                                              reinterpret_cast<LPARAM>(target.c_str()), SMTO_NORMAL,
                                              10000, &ignored))
            return 0;
        const long long pressed = NowMicros();
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_START, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_START)));
        if (!PollUntil([&] { return !IsEnabled(dialog, IDC_START); }, 10000) ||
            !PollUntil([&] { return IsEnabled(dialog, IDC_START); }, kRunTimeoutMs))
            return 0;
        ended = NowMicros();
        return pressed;
    }

    Subject subject;
    HWND dialog = nullptr;
    long long ended = 0;
};

// The plain pane freshly started with the command, its dialog up.
struct PlainPaneRun {
    PlainPaneRun(const Setup& setup, const std::string& command)
        : done("done"),
          subject(Quoted(setup.plainPane) + " " + done.Name() + " " + Quoted(command)) {
        dialog = subject.WaitForDialog(kPlainCaption, kStartTimeoutMs);
    }

    // Tells the pane to run its command and waits until all the output is in.
    bool Run() {
        if (!dialog)
            return false;
        ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        if (!PollUntil([&] { return done.IsSet(); }, kRunTimeoutMs))
            return false;
        ended = NowMicros();
        return true;
    }

    HWND Pane() const { return ::GetDlgItem(dialog, IDC_PLAIN_OUTPUT); }

    NamedEvent done;
    Subject subject;
    HWND dialog = nullptr;
    long long ended = 0;
};

WholeRun Phases(long long pressed, long long ended, const TracertTimes& trace) {
    WholeRun run;
    run.ok = true;
    run.totalMs = Ms(ended - pressed);
    run.pingMs = Ms(trace.start - pressed);
    run.afterTraceMs = Ms(ended - trace.end);
    return run;
}

// For each write, the last change of the screen in the 150 ms after it: a line shows in steps
// (the pane scrolls, then the line is drawn), and the last step is when it can be read.
std::vector<double> Latencies(const std::vector<long long>& writes,
                              const std::vector<long long>& changes) {
    const long long settle = 150000;
    std::vector<double> latencies;
    for (long long written : writes) {
        long long shown = 0;
        for (long long changed : changes) {
            if (changed >= written && changed < written + settle)
                shown = changed;
        }
        if (shown)
            latencies.push_back(Ms(shown - written));
    }
    return latencies;
}

} // namespace

WholeRun TarnwickWholeRun(const Setup& setup) {
    const std::string times = PrepareTracert(setup.folder, "hops 20 50");
    TarnwickRun run(setup);
    const long long pressed = run.Run("127.0.0.1");
    TracertTimes trace;
    if (!pressed || !ReadTracertTimes(times, &trace))
        return WholeRun();
    return Phases(pressed, run.ended, trace);
}

WholeRun PlainWholeRun(const Setup& setup) {
    const std::string times = PrepareTracert(setup.folder, "hops 20 50");
    NamedEvent ready("ready");
    NamedEvent go("go");
    NamedEvent done("done");
    Subject subject(Quoted(setup.plainRunner) + " 127.0.0.1 " + ready.Name() + " " + go.Name() +
                    " " + done.Name());
    TracertTimes trace;
    if (!PollUntil([&] { return ready.IsSet(); }, kStartTimeoutMs))
        return WholeRun();
    const long long pressed = NowMicros();
    go.Set();
    if (!PollUntil([&] { return done.IsSet(); }, kRunTimeoutMs))
        return WholeRun();
    const long long ended = NowMicros();
    if (!ReadTracertTimes(times, &trace))
        return WholeRun();
    return Phases(pressed, ended, trace);
}

Ingest TarnwickIngest(const Setup& setup, std::size_t bytes) {
    const std::string times = PrepareTracert(setup.folder, "flood " + std::to_string(bytes));
    TarnwickRun run(setup);
    Ingest ingest;
    if (!run.dialog)
        return ingest;
    AnswerProbe probe(run.dialog);
    const long long pressed = run.Run(kUnresolvable);
    ingest.longestAnswerMs = probe.Stop();
    TracertTimes trace;
    if (!pressed || !ReadTracertTimes(times, &trace))
        return ingest;
    ingest.ms = Ms(run.ended - trace.start);
    ingest.peakBytes = run.subject.PeakWorkingSet();
    // Every byte must have arrived, or the time says nothing.
    const LRESULT length =
        ::SendMessageW(::GetDlgItem(run.dialog, IDC_OUTPUT), WM_GETTEXTLENGTH, 0, 0);
    ingest.ok = static_cast<std::size_t>(length) > bytes / 2;
    return ingest;
}

Ingest PlainIngest(const Setup& setup, std::size_t bytes) {
    const std::string times = PrepareTracert(setup.folder, "flood " + std::to_string(bytes));
    PlainPaneRun run(setup, std::string("tracert -d ") + kUnresolvable);
    Ingest ingest;
    if (!run.dialog)
        return ingest;
    AnswerProbe probe(run.dialog);
    const bool ran = run.Run();
    ingest.longestAnswerMs = probe.Stop();
    TracertTimes trace;
    if (!ran || !ReadTracertTimes(times, &trace))
        return ingest;
    ingest.ms = Ms(run.ended - trace.start);
    ingest.peakBytes = run.subject.PeakWorkingSet();
    const LRESULT length = ::SendMessageW(run.Pane(), WM_GETTEXTLENGTH, 0, 0);
    ingest.ok = static_cast<std::size_t>(length) > bytes / 2;
    return ingest;
}

std::vector<double> TarnwickLatencies(const Setup& setup) {
    const std::string times = PrepareTracert(setup.folder, "tick 20 200");
    TarnwickRun run(setup);
    if (!run.dialog)
        return {};
    ScreenWatcher watcher(::GetDlgItem(run.dialog, IDC_OUTPUT));
    const long long pressed = run.Run(kUnresolvable);
    const std::vector<long long> changes = watcher.Stop();
    TracertTimes trace;
    if (!pressed || !ReadTracertTimes(times, &trace))
        return {};
    return Latencies(trace.writes, changes);
}

std::vector<double> PlainLatencies(const Setup& setup) {
    const std::string times = PrepareTracert(setup.folder, "tick 20 200");
    PlainPaneRun run(setup, std::string("tracert -d ") + kUnresolvable);
    if (!run.dialog)
        return {};
    ScreenWatcher watcher(run.Pane());
    const bool ran = run.Run();
    const std::vector<long long> changes = watcher.Stop();
    TracertTimes trace;
    if (!ran || !ReadTracertTimes(times, &trace))
        return {};
    return Latencies(trace.writes, changes);
}

double TarnwickStartupMs(const Setup& setup) {
    const long long begin = NowMicros();
    Subject subject(Quoted(setup.tarnwick));
    return subject.WaitForDialog(kTarnwickCaption, kStartTimeoutMs) ? Ms(NowMicros() - begin) : 0;
}

double PlainStartupMs(const Setup& setup) {
    const long long begin = NowMicros();
    Subject subject(Quoted(setup.plainPane));
    return subject.WaitForDialog(kPlainCaption, kStartTimeoutMs) ? Ms(NowMicros() - begin) : 0;
}

double OwnDialogStartupMs(const Setup& setup) {
    const long long begin = NowMicros();
    Subject subject(Quoted(setup.plainDialog));
    return subject.WaitForDialog(kTarnwickCaption, kStartTimeoutMs) ? Ms(NowMicros() - begin) : 0;
}

} // namespace bench

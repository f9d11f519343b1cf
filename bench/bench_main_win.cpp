// tarnwick_bench TARNWICK_EXE RESULTS_FOLDER [REPETITIONS]
// Measures the program against plain Win32 programs doing the same work, each figure over
// REPETITIONS runs (5 unless given) of the program and its baseline in turn, and prints one row of
// a Markdown table per figure: the program's and the baseline's least, median and largest value,
// their ratio and the goal. RESULTS_FOLDER gets ingest.dat (ingest time against output size, for
// the plot) and samples.tsv (every measurement). The baselines and the benchmark's tracert lie
// beside this program.
#include "bench/figures_win.h"
#include "bench/stats.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using bench::Summarize;
using bench::Summary;

FILE* g_samples = nullptr;

void Note(const char* figure, const char* program, double value) {
    std::fprintf(g_samples, "%s\t%s\t%.3f\n", figure, program, value);
    std::fflush(g_samples);
    std::fprintf(stderr, "  %-22s %-9s %10.1f\n", figure, program, value);
}

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of("\\/")); }

std::string Cell(const Summary& s, const char* format) {
    char min[32], median[32], max[32];
    std::snprintf(min, sizeof min, format, s.min);
    std::snprintf(median, sizeof median, format, s.median);
    std::snprintf(max, sizeof max, format, s.max);
    return std::string(min) + " / **" + median + "** / " + max;
}

void Row(const std::string& figure, const std::string& program, const std::string& baseline,
         const std::string& ratio, const std::string& goal, const std::string& met) {
    std::printf("| %s | %s | %s | %s | %s | %s |\n", figure.c_str(), program.c_str(),
                baseline.c_str(), ratio.c_str(), goal.c_str(), met.c_str());
    std::fflush(stdout);
}

std::string Format(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

const char* Met(bool met) { return met ? "yes" : "**no**"; }

// A figure measured as a ratio of medians, the program's over the baseline's.
void RatioRow(const std::string& figure, const std::vector<double>& program,
              const std::vector<double>& baseline, const char* format, double goal) {
    const Summary a = Summarize(program);
    const Summary b = Summarize(baseline);
    const double ratio = b.median > 0 ? a.median / b.median : 0;
    Row(figure, Cell(a, format), Cell(b, format), Format("%.3f×", ratio), Format("≤ %.2f×", goal),
        Met(!program.empty() && ratio <= goal));
}

// A part of a figure, shown as the difference of medians.
void PartRow(const std::string& figure, const std::vector<double>& program,
             const std::vector<double>& baseline) {
    const Summary a = Summarize(program);
    const Summary b = Summarize(baseline);
    Row(figure, Cell(a, "%.0f"), Cell(b, "%.0f"), Format("%+.0f ms", a.median - b.median), "–",
        "–");
}

// Runs the program's measurement and the baseline's in turn, the given number of times.
void Interleave(int repetitions, const std::function<void()>& program,
                const std::function<void()>& baseline) {
    for (int i = 0; i < repetitions; ++i) {
        program();
        baseline();
    }
}

struct Series {
    std::vector<double> program;
    std::vector<double> baseline;
};

void Keep(const char* figure, bool ok, double value, std::vector<double>* into, const char* who) {
    if (!ok) {
        std::fprintf(stderr, "  %-22s %-9s failed\n", figure, who);
        return;
    }
    into->push_back(value);
    Note(figure, who, value);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: tarnwick_bench TARNWICK_EXE RESULTS_FOLDER [REPETITIONS]\n");
        return 2;
    }
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string here = Folder(self);
    const bench::Setup setup{argv[1], here + "\\plain_pane.exe", here + "\\plain_runner.exe",
                             here + "\\plain_dialog.exe", argv[2]};
    const int repetitions = argc > 3 ? std::atoi(argv[3]) : 5;
    const int fewer = repetitions > 4 ? repetitions / 2 : 2;
    g_samples = std::fopen((setup.folder + "\\samples.tsv").c_str(), "w");
    if (!g_samples || repetitions < 1)
        return 2;

    // The command interpreter finds the benchmark's tracert before anything of that name.
    const std::string path = here + ";" + (std::getenv("PATH") ? std::getenv("PATH") : "");
    ::SetEnvironmentVariableA("PATH", path.c_str());

    // A first start of each loads what the following ones find ready.
    bench::TarnwickStartupMs(setup);
    bench::PlainStartupMs(setup);
    bench::OwnDialogStartupMs(setup);

    // Against the pane alone and against the program's own dialog, in turn.
    Series startup;
    std::vector<double> ownDialogStartup;
    Interleave(
        repetitions * 2,
        [&] {
            const double ms = bench::TarnwickStartupMs(setup);
            Keep("startup_ms", ms > 0, ms, &startup.program, "tarnwick");
        },
        [&] {
            const double ms = bench::PlainStartupMs(setup);
            Keep("startup_ms", ms > 0, ms, &startup.baseline, "plain");
            const double own = bench::OwnDialogStartupMs(setup);
            Keep("startup_ms", own > 0, own, &ownDialogStartup, "own_dialog");
        });

    Series total, ping, afterTrace;
    auto keepRun = [&](const bench::WholeRun& run, bool program) {
        const char* who = program ? "tarnwick" : "plain";
        Keep("whole_run_ms", run.ok, run.totalMs, program ? &total.program : &total.baseline, who);
        Keep("ping_phase_ms", run.ok, run.pingMs, program ? &ping.program : &ping.baseline, who);
        Keep("after_trace_ms", run.ok, run.afterTraceMs,
             program ? &afterTrace.program : &afterTrace.baseline, who);
    };
    Interleave(
        repetitions, [&] { keepRun(bench::TarnwickWholeRun(setup), true); },
        [&] { keepRun(bench::PlainWholeRun(setup), false); });

    Series latency;
    Interleave(
        repetitions,
        [&] {
            const std::vector<double> each = bench::TarnwickLatencies(setup);
            for (double ms : each)
                Keep("latency_ms", true, ms, &latency.program, "tarnwick");
        },
        [&] {
            const std::vector<double> each = bench::PlainLatencies(setup);
            for (double ms : each)
                Keep("latency_ms", true, ms, &latency.baseline, "plain");
        });

    const std::size_t kib = 1024;
    const std::size_t sizes[] = {256 * kib, 512 * kib, 1024 * kib, 1536 * kib, 2048 * kib};
    std::vector<Series> ingest(std::size(sizes));
    Series answer, peak;
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        const std::size_t bytes = sizes[i];
        const bool full = bytes == 1024 * kib || bytes == 2048 * kib;
        auto measure = [&](bool program) {
            const bench::Ingest run =
                program ? bench::TarnwickIngest(setup, bytes) : bench::PlainIngest(setup, bytes);
            const char* who = program ? "tarnwick" : "plain";
            const std::string figure = "ingest_" + std::to_string(bytes / kib) + "k_ms";
            Keep(figure.c_str(), run.ok, run.ms, program ? &ingest[i].program : &ingest[i].baseline,
                 who);
            if (bytes == 1024 * kib)
                Keep("answer_1m_ms", run.ok, run.longestAnswerMs,
                     program ? &answer.program : &answer.baseline, who);
            if (bytes == 2048 * kib)
                Keep("peak_2m_mib", run.ok, run.peakBytes / (1024.0 * 1024.0),
                     program ? &peak.program : &peak.baseline, who);
        };
        Interleave(
            full ? repetitions : fewer, [&] { measure(true); }, [&] { measure(false); });
    }

    FILE* plot = std::fopen((setup.folder + "\\ingest.dat").c_str(), "w");
    if (plot) {
        std::fprintf(plot, "# KiB\ttarnwick_ms\tplain_ms\n");
        for (std::size_t i = 0; i < std::size(sizes); ++i)
            std::fprintf(plot, "%zu\t%.1f\t%.1f\n", sizes[i] / kib,
                         Summarize(ingest[i].program).median, Summarize(ingest[i].baseline).median);
        std::fclose(plot);
    }

    RatioRow("Whole run on 127.0.0.1: ping, 20-hop tracert, probe (ms)", total.program,
             total.baseline, "%.0f", 1.02);
    PartRow("… of it until the trace starts: ping (ms)", ping.program, ping.baseline);
    PartRow("… of it after the trace: probe, closing line (ms)", afterTrace.program,
            afterTrace.baseline);
    const Series& oneMb = ingest[2];
    const Series& twoMb = ingest[4];
    RatioRow("Ingest 1 MB of output (ms)", oneMb.program, oneMb.baseline, "%.0f", 0.9);
    // Linear: the second megabyte costs no more than the first.
    auto secondOverFirst = [](const std::vector<double>& one, const std::vector<double>& two) {
        const double first = Summarize(one).median;
        return first > 0 ? (Summarize(two).median - first) / first : 0;
    };
    const double programGrowth = secondOverFirst(oneMb.program, twoMb.program);
    const double baselineGrowth = secondOverFirst(oneMb.baseline, twoMb.baseline);
    Row("Ingest: 2nd MB's time over the 1st's (medians)", Format("%.2f", programGrowth),
        Format("%.2f", baselineGrowth), "–", "≤ 1.00",
        Met(programGrowth > 0 && programGrowth <= 1.0));
    RatioRow("Chunk written → visible in the pane, all chunks (ms)", latency.program,
             latency.baseline, "%.1f", 1.0);
    const Summary longest = Summarize(answer.program);
    Row("Longest UI-thread answer (WM_NULL) in each 1 MB run (ms)", Cell(longest, "%.1f"),
        Cell(Summarize(answer.baseline), "%.1f"), "–", "≤ 50 ms in every run",
        Met(!answer.program.empty() && longest.max <= 50));
    RatioRow("Start-up: process start → dialog visible and answering (ms)", startup.program,
             startup.baseline, "%.0f", 1.1);
    RatioRow("… against the program's own dialog with a bare dialog procedure (ms)",
             startup.program, ownDialogStartup, "%.0f", 1.1);
    RatioRow("Peak working set after 2 MB (MiB)", peak.program, peak.baseline, "%.1f", 1.1);
    std::fclose(g_samples);
    return 0;
}

// The benchmark's tracert, found on the path before anything else of that name. What it prints
// depends on the figure being measured, named by TARNWICK_BENCH_TRACERT:
//   "hops N MS"    N hop lines MS apart, as a real trace prints them (the default: 20 50);
//   "flood BYTES"  BYTES of hop lines with double-byte text, as fast as the pipe takes them;
//   "tick N MS"    a pane's worth of hop lines, then N short lines MS apart, to see how soon each
//                  one shows.
// With TARNWICK_BENCH_TIMES naming a file, it appends there "start T", "write T" before each
// hop, piece or tick, and "end T": T in microseconds of the shared performance counter.
#include "bench/bench_clock_win.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<long long> g_writes;

// Hops, pieces and ticks are timed; the header and the closing line are not.
bool Write(const std::string& text, bool timed = true) {
    if (timed)
        g_writes.push_back(bench::NowMicros());
    DWORD written = 0;
    return ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text.data(),
                       static_cast<DWORD>(text.size()), &written, nullptr) != FALSE;
}

std::string Hop(int hop) {
    char line[96];
    std::snprintf(line, sizeof line, "%3d    <1 ms    <1 ms    <1 ms  127.0.0.1 跃点%06d\r\n", hop,
                  hop);
    return line;
}

bool Hops(int count, int delayMs) {
    for (int hop = 1; hop <= count; ++hop) {
        ::Sleep(delayMs);
        if (!Write(Hop(hop)))
            return false;
    }
    return true;
}

// Whole lines in pieces of the reader's size, so that pieces end inside lines and characters.
bool Flood(std::size_t bytes) {
    std::string text;
    for (int hop = 1; text.size() < bytes; ++hop)
        text += Hop(hop);
    text.resize(bytes);
    const std::size_t piece = 4096;
    for (std::size_t at = 0; at < text.size(); at += piece) {
        if (!Write(text.substr(at, piece)))
            return false;
    }
    return true;
}

// First enough lines to fill a pane, so that every tick scrolls it, as the lines of a long trace
// do; the last tick has time to show before the closing line follows.
bool Ticks(int count, int delayMs) {
    std::string fill;
    for (int hop = 1; hop <= 40; ++hop)
        fill += Hop(hop);
    if (!Write(fill, false))
        return false;
    for (int tick = 1; tick <= count; ++tick) {
        ::Sleep(delayMs);
        char line[48];
        std::snprintf(line, sizeof line, "刻度 %d\r\n", tick);
        if (!Write(line))
            return false;
    }
    ::Sleep(delayMs);
    return true;
}

void WriteTimes(long long start, long long end) {
    const char* path = std::getenv("TARNWICK_BENCH_TIMES");
    if (!path || !*path)
        return;
    FILE* out = std::fopen(path, "a");
    if (!out)
        return;
    std::fprintf(out, "start %lld\n", start);
    for (long long at : g_writes)
        std::fprintf(out, "write %lld\n", at);
    std::fprintf(out, "end %lld\n", end);
    std::fclose(out);
}

} // namespace

int main(int argc, char** argv) {
    const long long start = bench::NowMicros();
    const std::string target = argc > 1 ? argv[argc - 1] : "";
    const char* mode = std::getenv("TARNWICK_BENCH_TRACERT");
    char kind[16] = "hops";
    long long first = 20;
    long long second = 50;
    if (mode)
        std::sscanf(mode, "%15s %lld %lld", kind, &first, &second);

    bool ok = Write("通过最多 30 个跃点跟踪到 " + target + " 的路由\r\n\r\n", false);
    const std::string how = kind;
    if (ok && how == "flood")
        ok = Flood(static_cast<std::size_t>(first));
    else if (ok && how == "tick")
        ok = Ticks(static_cast<int>(first), static_cast<int>(second));
    else if (ok)
        ok = Hops(static_cast<int>(first), static_cast<int>(second));
    ok = ok && Write("\r\n跟踪完成。\r\n", false);
    WriteTimes(start, bench::NowMicros());
    return ok ? 0 : 1;
}

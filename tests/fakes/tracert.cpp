// A slow tracert for Wine, which has none: hop lines trickle in like the
// real command's, so a run can be watched and stopped while it streams.
// With TARNWICK_TRACERT_HOPS set it prints that many hops at once instead,
// for runs longer than a pane holds by default. Like the system's own, it
// speaks the console's language: Chinese where the console's code page is
// 936, English elsewhere.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// No flush: flushing a pipe whose reader has gone blocks for ever.
bool Write(const std::string& text) {
    DWORD written = 0;
    return ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text.data(),
                       static_cast<DWORD>(text.size()), &written, nullptr) != FALSE;
}

std::string Hop(int hop) {
    char line[64];
    std::snprintf(line, sizeof line, "  %d    <1 ms    <1 ms    <1 ms  127.0.0.1\r\n", hop);
    return line;
}

} // namespace

int main(int argc, char** argv) {
    const std::string target = argc > 1 ? argv[argc - 1] : "";
    const bool chinese = ::GetOEMCP() == 936;
    const std::string header =
        chinese ? "通过最多 30 个跃点跟踪到 " + target + " 的路由\r\n\r\n"
                : "Tracing route to " + target + " over a maximum of 30 hops\r\n\r\n";
    const std::string footer = chinese ? "\r\n跟踪完成。\r\n" : "\r\nTrace complete.\r\n";
    const char* many = std::getenv("TARNWICK_TRACERT_HOPS");
    if (many) {
        std::string all = header;
        for (int hop = 1, hops = std::atoi(many); hop <= hops; ++hop)
            all += Hop(hop);
        return Write(all + footer) ? 0 : 1;
    }
    if (!Write(header))
        return 1;
    for (int hop = 1; hop <= 8; ++hop) {
        ::Sleep(300);
        // Once the reader has gone nobody waits for the rest.
        if (!Write(Hop(hop)))
            return 1;
    }
    return Write(footer) ? 0 : 1;
}

// tarnwick_demo TARNWICK_EXE SCREENSHOT_BMP OUTPUT_TXT
// Runs the program once for 127.0.0.1 to the end, as a user would, and keeps
// a picture of the dialog and the bytes of its output pane. Wine has no
// tracert and nothing answers on port 80 here: the stand-in tracert is on the
// path, and the demo itself listens on 127.0.0.1:80 meanwhile, so the run is
// whole.
#include "res/resource.h"
#include "tests/e2e/driver_win.h"
#include "tests/win/port80_listener_win.h"

#include <cstdio>
#include <string>

namespace {

const char kCompleted[] = "\r\n所有命令运行完毕.\r\n";

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

int Fail(const char* what) {
    std::fprintf(stderr, "tarnwick_demo: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4)
        return Fail("usage: tarnwick_demo TARNWICK_EXE SCREENSHOT_BMP OUTPUT_TXT");
    const Port80Listener listener("127.0.0.1");
    if (!listener.Listening())
        return Fail("cannot listen on 127.0.0.1:80");
    e2e::Program program(argv[1]);
    if (!program.Started())
        return Fail("the program's dialog did not appear");

    program.SetText(IDC_TARGET, "127.0.0.1");
    if (!program.Click(IDC_START))
        return Fail("Start is disabled");
    std::string pane;
    const bool completed = e2e::WaitUntil(
        [&] {
            pane = program.Text(IDC_OUTPUT);
            return EndsWith(pane, kCompleted);
        },
        120000);
    if (!completed)
        return Fail("the run did not complete");
    // The buttons come back with the run's end; the picture should show them so.
    e2e::WaitUntil([&] { return program.IsEnabled(IDC_START); }, 5000);
    if (!e2e::SaveScreenshot(program.Dialog(), argv[2]))
        return Fail("no screenshot");
    if (!WriteFileBytes(argv[3], pane))
        return Fail("cannot write the output file");

    program.RequestClose();
    DWORD exitCode = 1;
    if (!program.WaitForExit(10000, &exitCode) || exitCode != 0)
        return Fail("the program did not close cleanly");
    return 0;
}

#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

// Where the programs are and where a run may leave files.
struct Setup {
    std::string tarnwick;    // the program's tarnwick.exe
    std::string plainPane;   // the pane's baseline
    std::string plainRunner; // the whole run's baseline
    std::string plainDialog; // the program's own dialog, shown by a bare dialog procedure
    std::string folder;      // for the tracert's times
};

// Each measurement starts its program afresh and ends it; a measurement that failed has ok false.

// A run on 127.0.0.1 with a trace of 20 hops, from Start to the closing line, and two parts of
// it: until the trace begins (the ping) and after it has ended (the probe and the closing line).
struct WholeRun {
    bool ok = false;
    double totalMs = 0;
    double pingMs = 0;
    double afterTraceMs = 0;
};
WholeRun TarnwickWholeRun(const Setup& setup);
WholeRun PlainWholeRun(const Setup& setup);

// A command that writes the given number of bytes as fast as it can: the time from its start until
// the pane holds all of it, the longest the UI thread took to answer meanwhile, and the most
// memory the program had.
struct Ingest {
    bool ok = false;
    double ms = 0;
    double longestAnswerMs = 0;
    double peakBytes = 0;
};
Ingest TarnwickIngest(const Setup& setup, std::size_t bytes);
Ingest PlainIngest(const Setup& setup, std::size_t bytes);

// A command that writes a short line every 200 ms: for each line, the time from its write until
// the screen shows the pane changed. Empty when the run failed.
std::vector<double> TarnwickLatencies(const Setup& setup);
std::vector<double> PlainLatencies(const Setup& setup);

// From the process's start until its dialog is visible and answers; 0 when it failed.
double TarnwickStartupMs(const Setup& setup);
double PlainStartupMs(const Setup& setup);
double OwnDialogStartupMs(const Setup& setup);

} // namespace bench

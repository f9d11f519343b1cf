#pragma once

#include <windows.h>

#include <string>

namespace bench {

// What a plain program does to run a console command and read its output: the system's command
// interpreter as a hidden child with a pipe for standard output and standard error, started the
// way the program starts it. Returns the pipe's read end, or null.
HANDLE StartCaptured(const std::string& command);

} // namespace bench

#pragma once

#include "diag/output_sink.h"

#include <windows.h>

#include <string>

// The code page console programs write in when their output goes to a pipe:
// the console's, which is the system's OEM code page.
UINT ConsoleCodePage();

// Runs the command line (code page 936) with the system's own command
// interpreter as a hidden child and streams what it writes to standard
// output and standard error into the sink, as bytes of ConsoleCodePage(),
// never splitting a character between two appends. False when the pipe or
// the child could not be made.
bool RunCaptured(const std::string& commandLine, diag::OutputSink& sink);

// The same with the given program file as the child.
bool RunCapturedWith(const std::wstring& application, const std::string& commandLine,
                     diag::OutputSink& sink);

// The command interpreter in the system directory, by its full path.
std::wstring SystemCommandInterpreter();

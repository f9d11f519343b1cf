#pragma once

#include "diag/output_sink.h"

#include <string>

// Runs the command line with the system's own command interpreter as a
// hidden child and streams what it writes to standard output and standard
// error into the sink. False when the pipe or the child could not be made.
bool RunCaptured(const std::string& commandLine, diag::OutputSink& sink);

// The same with the given program file as the child.
bool RunCapturedWith(const std::string& application, const std::string& commandLine,
                     diag::OutputSink& sink);

// The command interpreter in the system directory, by its full path.
std::string SystemCommandInterpreter();

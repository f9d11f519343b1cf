#pragma once

#include <string>

// Saves the report text to the chosen file; on failure tells the user which
// file and why, and leaves an existing file as it was.
bool SaveReportFile(const std::string& path, const std::string& text);

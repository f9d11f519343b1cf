#pragma once

#include <string>

// The pane's text as the report holds it, whatever the system's code pages:
// code page 936's bytes for every character 936 has, and GB 18030's, which
// extends 936, for every other; an unpaired surrogate becomes '?'.
std::string ReportBytes(const std::wstring& paneText);

// Saves the pane's text as the report to the chosen file; on failure tells
// the user which file and why, and leaves an existing file as it was.
bool SaveReportFile(const std::wstring& path, const std::wstring& paneText);

#pragma once

#include <string>

// The pane's text as the report holds it: code page 936, whatever the
// system's code pages; a character without a form there becomes '?'.
std::string ReportBytes(const std::wstring& paneText);

// Saves the pane's text as the report to the chosen file; on failure tells
// the user which file and why, and leaves an existing file as it was.
bool SaveReportFile(const std::wstring& path, const std::wstring& paneText);

#pragma once

#include <string>

namespace report {

// The save dialog's settings.
inline constexpr char kDefaultExtension[] = "txt";
inline constexpr char kInitialName[] = "NetTestReport.txt";
inline constexpr char kFilter[] = "TxtFile (.txt)|*.txt|AllFile (*.*)|*.*||";

// A filter written with '|' between its parts, in the form the system's
// file dialogs take: parts separated by zero bytes, ending in two. The
// parts are code page 936 text.
std::string SystemFilter(const std::string& barSeparated);

// The file operations a save needs, with paths in UTF-8. Each failing call
// fills in the system's reason.
class ReportFileSystem {
public:
    virtual ~ReportFileSystem() = default;
    // Creates a new, uniquely named empty file in the folder of path.
    virtual bool CreateTemporaryBeside(const std::string& path, std::string* temporary,
                                       std::string* reason) = 0;
    virtual bool WriteAll(const std::string& path, const std::string& bytes,
                          std::string* reason) = 0;
    // Puts from in the place of to in one step, replacing what was there.
    virtual bool Replace(const std::string& from, const std::string& to, std::string* reason) = 0;
    virtual void Remove(const std::string& path) = 0;
};

// Writes the report so that the chosen file is either the whole new report
// or left as it was: the text goes to a temporary file beside it, which then
// replaces it. On failure nothing of the attempt is left behind.
bool SaveReport(ReportFileSystem& files, const std::string& path, const std::string& text,
                std::string* reason);

// What the user is told when the report could not be saved: this, the file's
// name, the second part, then the system's reason. The parts are put together
// at the window, where a name in any script can be shown.
inline constexpr char kSaveFailedBeforePath[] = "无法保存文件 ";
inline constexpr char kSaveFailedBeforeReason[] = "。\n\n";

} // namespace report

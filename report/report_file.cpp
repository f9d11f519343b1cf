#include "report/report_file.h"

#include <algorithm>

namespace report {

std::string SystemFilter(const std::string& barSeparated) {
    std::string filter = barSeparated;
    std::replace(filter.begin(), filter.end(), '|', '\0');
    // The terminating pair of zero bytes, also for a filter without its "||".
    filter.append(2, '\0');
    return filter;
}

bool SaveReport(ReportFileSystem& files, const std::string& path, const std::string& text,
                std::string* reason) {
    std::string temporary;
    if (!files.CreateTemporaryBeside(path, &temporary, reason))
        return false;
    if (files.WriteAll(temporary, text, reason) && files.Replace(temporary, path, reason))
        return true;
    files.Remove(temporary);
    return false;
}

std::string SaveFailureMessage(const std::string& path, const std::string& reason) {
    return "无法保存文件 " + path + "。\n\n" + reason;
}

} // namespace report

#include "report/report_file.h"

namespace report {

namespace {

bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

} // namespace

std::string SystemFilter(const std::string& barSeparated) {
    std::string filter = barSeparated;
    // The second byte of a double-byte character may be a '|' too; only a
    // '|' of its own separates the parts.
    for (std::size_t i = 0; i < filter.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(filter[i]))) {
            ++i;
        } else if (filter[i] == '|') {
            filter[i] = '\0';
        }
    }
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

} // namespace report

#include "report/report_file_win.h"

#include "framework/fw_app.h"
#include "framework/fw_file.h"
#include "report/report_file.h"

namespace {

class WinReportFileSystem : public report::ReportFileSystem {
public:
    bool CreateTemporaryBeside(const std::string& path, std::string* temporary,
                               std::string* reason) override {
        const std::size_t slash = path.find_last_of("\\/");
        const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
        char name[MAX_PATH] = "";
        if (!::GetTempFileNameA(folder.c_str(), "twk", 0, name))
            return Fail(::GetLastError(), reason);
        *temporary = name;
        return true;
    }

    bool WriteAll(const std::string& path, const std::string& bytes, std::string* reason) override {
        CFile file;
        if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite))
            return Fail(file.GetLastError(), reason);
        if (!bytes.empty() && !file.Write(bytes.data(), static_cast<DWORD>(bytes.size())))
            return Fail(file.GetLastError(), reason);
        if (!file.Close())
            return Fail(file.GetLastError(), reason);
        return true;
    }

    bool Replace(const std::string& from, const std::string& to, std::string* reason) override {
        if (::MoveFileExA(from.c_str(), to.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        return Fail(::GetLastError(), reason);
    }

    void Remove(const std::string& path) override { ::DeleteFileA(path.c_str()); }

private:
    static bool Fail(DWORD error, std::string* reason) {
        *reason = SystemErrorText(error);
        return false;
    }
};

} // namespace

bool SaveReportFile(const std::string& path, const std::string& text) {
    WinReportFileSystem files;
    std::string reason;
    if (report::SaveReport(files, path, text, &reason))
        return true;
    AfxMessageBox(report::SaveFailureMessage(path, reason).c_str(), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

#include "report/report_file_win.h"

#include "framework/fw_app.h"
#include "framework/fw_file.h"
#include "framework/fw_text.h"
#include "report/gb18030.h"
#include "report/report_file.h"

#include <vector>

namespace {

class WinReportFileSystem : public report::ReportFileSystem {
public:
    bool CreateTemporaryBeside(const std::string& path, std::string* temporary,
                               std::string* reason) override {
        const std::wstring wide = FromUtf8(path);
        const std::size_t slash = wide.find_last_of(L"\\/");
        const std::wstring folder = slash == std::wstring::npos ? L"." : wide.substr(0, slash + 1);
        wchar_t name[MAX_PATH] = L"";
        if (!::GetTempFileNameW(folder.c_str(), L"twk", 0, name))
            return Fail(::GetLastError(), reason);
        *temporary = ToUtf8(name);
        return true;
    }

    bool WriteAll(const std::string& path, const std::string& bytes, std::string* reason) override {
        CFile file;
        if (!file.Open(FromUtf8(path).c_str(), CFile::modeCreate | CFile::modeWrite))
            return Fail(file.GetLastError(), reason);
        if (!bytes.empty() && !file.Write(bytes.data(), static_cast<DWORD>(bytes.size())))
            return Fail(file.GetLastError(), reason);
        if (!file.Close())
            return Fail(file.GetLastError(), reason);
        return true;
    }

    bool Replace(const std::string& from, const std::string& to, std::string* reason) override {
        const std::wstring source = FromUtf8(from);
        const std::wstring target = FromUtf8(to);
        KeepPermissionsAndAttributes(target, source);
        if (::MoveFileExW(source.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        return Fail(::GetLastError(), reason);
    }

    void Remove(const std::string& path) override { ::DeleteFileW(FromUtf8(path).c_str()); }

private:
    // An existing report keeps who may read it and its attributes: only its
    // content is new. (ReplaceFile would do the same, but where it fails it
    // can leave a backup of its own beside the report.)
    static void KeepPermissionsAndAttributes(const std::wstring& existing,
                                             const std::wstring& replacement) {
        const DWORD attributes = ::GetFileAttributesW(existing.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return;
        const SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION;
        DWORD size = 0;
        ::GetFileSecurityW(existing.c_str(), what, nullptr, 0, &size);
        std::vector<BYTE> security(size);
        if (size && ::GetFileSecurityW(existing.c_str(), what, security.data(), size, &size))
            ::SetFileSecurityW(replacement.c_str(), what, security.data());
        ::SetFileAttributesW(replacement.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }

    static bool Fail(DWORD error, std::string* reason) {
        *reason = ToUtf8(SystemErrorText(error));
        return false;
    }
};

// The text in code page 936, or false where 936 lacks one of its characters. The system's two
// calls, measuring and converting, as for any text of the program; the first also tells whether
// a character is lacking. (One call into room for two bytes a unit would save the measuring,
// but filling that room costs more.)
bool In936(const wchar_t* text, std::size_t length, std::string* bytes) {
    const int units = static_cast<int>(length);
    BOOL lacking = FALSE;
    const int size = ::WideCharToMultiByte(kTextCodePage, WC_NO_BEST_FIT_CHARS, text, units,
                                           nullptr, 0, nullptr, &lacking);
    if (lacking)
        return false;
    bytes->resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    ::WideCharToMultiByte(kTextCodePage, WC_NO_BEST_FIT_CHARS, text, units, bytes->data(), size,
                          nullptr, nullptr);
    return true;
}

} // namespace

std::string ReportBytes(const std::wstring& paneText) {
    std::string bytes;
    if (In936(paneText.data(), paneText.size(), &bytes))
        return bytes;
    // Character by character: 936's bytes where it has the character, GB 18030's elsewhere.
    bytes.clear();
    std::string character;
    for (std::size_t at = 0; at < paneText.size(); ++at) {
        const wchar_t unit = paneText[at];
        const bool paired = IS_HIGH_SURROGATE(unit) && at + 1 < paneText.size() &&
                            IS_LOW_SURROGATE(paneText[at + 1]);
        if (unit < 0x80) {
            // ASCII, as 936 writes it, without asking the system.
            bytes += static_cast<char>(unit);
        } else if (paired) {
            ++at;
            report::AppendGb18030(0x10000 + ((unit - 0xD800) << 10) + (paneText[at] - 0xDC00),
                                  &bytes);
        } else if (In936(&unit, 1, &character)) {
            bytes += character;
        } else if (!report::AppendGb18030(unit, &bytes)) {
            bytes += '?'; // an unpaired surrogate
        }
    }
    return bytes;
}

bool SaveReportFile(const std::wstring& path, const std::wstring& paneText) {
    WinReportFileSystem files;
    std::string reason;
    if (report::SaveReport(files, ToUtf8(path), ReportBytes(paneText), &reason))
        return true;
    const std::wstring message = Widen(report::kSaveFailedBeforePath) + path +
                                 Widen(report::kSaveFailedBeforeReason) + FromUtf8(reason);
    AfxMessageBox(message.c_str(), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

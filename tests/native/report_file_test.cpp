#include "report/report_file.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using namespace std::string_literals;

TEST(ReportFilterTest, BarsBecomeZeroBytesEndingInTwo) {
    const std::string filter = report::SystemFilter(report::kFilter);
    const std::string expected = "TxtFile (.txt)\0*.txt\0AllFile (*.*)\0*.*\0\0"s;
    ASSERT_GE(filter.size(), expected.size());
    EXPECT_EQ(expected, filter.substr(0, expected.size()));
    EXPECT_EQ("A\0*.a\0\0"s, report::SystemFilter("A|*.a"));
}

// 亅 is 81 7C in code page 936: its second byte is a '|' that separates nothing.
TEST(ReportFilterTest, BarInsideADoubleByteCharacterStays) {
    ASSERT_EQ(std::string("亅"), "\x81|");
    EXPECT_EQ("\x81|\0*.txt\0\0"s, report::SystemFilter("亅|*.txt"));
}

// A folder in memory whose operations can be made to fail.
class FakeFolder : public report::ReportFileSystem {
public:
    std::map<std::string, std::string> files;
    bool failCreate = false;
    bool failWrite = false;
    bool failReplace = false;

    bool CreateTemporaryBeside(const std::string& path, std::string* temporary,
                               std::string* reason) override {
        if (failCreate)
            return Fail(reason);
        *temporary = path.substr(0, path.find_last_of('\\') + 1) + "twk1.tmp";
        files[*temporary] = "";
        return true;
    }
    bool WriteAll(const std::string& path, const std::string& bytes, std::string* reason) override {
        if (failWrite) {
            files[path] = bytes.substr(0, bytes.size() / 2); // a disk that filled up
            return Fail(reason);
        }
        files[path] = bytes;
        return true;
    }
    bool Replace(const std::string& from, const std::string& to, std::string* reason) override {
        if (failReplace)
            return Fail(reason);
        files[to] = files[from];
        files.erase(from);
        return true;
    }
    void Remove(const std::string& path) override { files.erase(path); }

private:
    static bool Fail(std::string* reason) {
        *reason = "disk full";
        return false;
    }
};

const std::string kPath = "C:\\reports\\NetTestReport.txt";
const std::string kReport = "\r\n--------\r\n\xD6\xD0\xD6\xB9\r\n";

TEST(SaveReportTest, NewFileHoldsTheTextExactlyAndNothingElseIsLeft) {
    FakeFolder folder;
    std::string reason;
    ASSERT_TRUE(report::SaveReport(folder, kPath, kReport, &reason));
    ASSERT_EQ(1u, folder.files.size());
    EXPECT_EQ(kReport, folder.files[kPath]);
}

TEST(SaveReportTest, EmptyPaneGivesEmptyFile) {
    FakeFolder folder;
    folder.files[kPath] = "old report";
    std::string reason;
    ASSERT_TRUE(report::SaveReport(folder, kPath, "", &reason));
    EXPECT_EQ("", folder.files[kPath]);
}

TEST(SaveReportTest, AnyFailureKeepsTheOldReportAndRemovesTheTemporaryFile) {
    for (int failing = 0; failing < 3; ++failing) {
        FakeFolder folder;
        folder.files[kPath] = "old report";
        folder.failCreate = failing == 0;
        folder.failWrite = failing == 1;
        folder.failReplace = failing == 2;
        std::string reason;
        EXPECT_FALSE(report::SaveReport(folder, kPath, kReport, &reason)) << failing;
        EXPECT_EQ("disk full", reason);
        ASSERT_EQ(1u, folder.files.size()) << failing;
        EXPECT_EQ("old report", folder.files[kPath]);
    }
}

} // namespace

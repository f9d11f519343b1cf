#include "diag/diag_texts.h"

#include "app/dialog_texts.h"
#include "app/maker.h"
#include "linklabel/link_open.h"
#include "report/report_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A text as the program holds it, and its bytes written out independently.
struct Pinned {
    std::string text;
    const char* bytes;
};

} // namespace

// Every fixed text a user or the support staff read, byte for byte in code
// page 936. The bytes are spelled out here rather than taken from the
// program's constants, so a changed character or a build without the GBK
// execution character set (which would write UTF-8) shows at once.
TEST(DiagTextsTest, TextsAreCodePage936Bytes) {
    const Pinned texts[] = {
        // A run, as the pane and the report show it.
        {diag::kSeparator, "\r\n--------------------------------------------\r\n"},
        {diag::kConsoleHeader, "\xD6\xB4\xD0\xD0\" %s\"\xC3\xFC\xC1\xEE\r\n"},
        {diag::kCommandInterpreter, "cmd.exe /d /c"},
        {diag::kLookupFailed, "\xCE\xDE\xB7\xA8\xBD\xE2\xCE\xF6%s\xB5\xC4\xD6\xF7\xBB\xFAIP\r\n"},
        {diag::kConnectAttempt, "\xB3\xA2\xCA\xD4\xC1\xAC\xBD\xD3 %s "
                                "\xCB\xF9\xD4\xDA\xD6\xF7\xBB\xFA\xB5\xC4"
                                "80\xB6\xCB\xBF\xDA\r\n"},
        {diag::kConnected, "\xC1\xAC\xBD\xD3 %s \xCB\xF9\xD4\xDA\xD6\xF7\xBB\xFA\xB5\xC4"
                           "80\xB6\xCB\xBF\xDA\xB3\xC9\xB9\xA6\r\n"},
        {diag::kNotConnected, "\xC1\xAC\xBD\xD3 %s \xCB\xF9\xD4\xDA\xD6\xF7\xBB\xFA\xB5\xC4"
                              "80\xB6\xCB\xBF\xDA\xCA\xA7\xB0\xDC\r\n"},
        {diag::kClosingCompleted, "\r\n\xCB\xF9\xD3\xD0\xC3\xFC\xC1\xEE\xD4\xCB\xD0\xD0\xCD\xEA"
                                  "\xB1\xCF.\r\n"},
        {diag::kClosingStopped, "\r\n\xD6\xD0\xD6\xB9\xC3\xFC\xC1\xEE.\r\n"},
        {kBadTarget, "\xC7\xEB\xCA\xE4\xC8\xEB\xD5\xFD\xC8\xB7\xD3\xF2\xC3\xFB"},
        {kNoWorker, "\xCE\xDE\xB7\xA8\xBF\xAA\xCA\xBC\xBC\xEC\xB2\xE2\xA3\xAC\xC7\xEB\xB9\xD8\xB1"
                    "\xD5\xC6\xE4\xCB\xFB\xB3\xCC\xD0\xF2\xBA\xF3\xD6\xD8\xCA\xD4\xA1\xA3"},
        // Saving the report.
        {report::kInitialName, "NetTestReport.txt"},
        {report::kDefaultExtension, "txt"},
        {report::kFilter, "TxtFile (.txt)|*.txt|AllFile (*.*)|*.*||"},
        {report::kSaveFailedBeforePath, "\xCE\xDE\xB7\xA8\xB1\xA3\xB4\xE6\xCE\xC4\xBC\xFE "},
        {report::kSaveFailedBeforeReason, "\xA1\xA3\n\n"},
        // The link label and what it says when the address cannot be opened.
        {kMakerHomeAddress, "http://www.morrowfen.example/"},
        {linklabel::OpenErrorMessage(0),
         "Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources."},
        {linklabel::OpenErrorMessage(2),
         "Unable to open hyperlink:\n\nThe specified file was not found."},
        {linklabel::OpenErrorMessage(3),
         "Unable to open hyperlink:\n\nThe specified path was not found."},
        {linklabel::OpenErrorMessage(5), "Unable to open hyperlink:\n\nThe operating system "
                                         "denied\naccess to the specified file."},
        {linklabel::OpenErrorMessage(8), "Unable to open hyperlink:\n\nThere was not enough "
                                         "memory to complete the operation."},
        {linklabel::OpenErrorMessage(11), "Unable to open hyperlink:\n\nThe .EXE file is "
                                          "invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {linklabel::OpenErrorMessage(26),
         "Unable to open hyperlink:\n\nA sharing violation occurred. "},
        {linklabel::OpenErrorMessage(27), "Unable to open hyperlink:\n\nThe filename "
                                          "association is\nincomplete or invalid."},
        {linklabel::OpenErrorMessage(28),
         "Unable to open hyperlink:\n\nThe DDE transaction could not\nbe completed because "
         "the request timed out."},
        {linklabel::OpenErrorMessage(29),
         "Unable to open hyperlink:\n\nThe DDE transaction failed."},
        {linklabel::OpenErrorMessage(30),
         "Unable to open hyperlink:\n\nThe DDE transaction could not\nbe completed because "
         "other DDE transactions\nwere being processed."},
        {linklabel::OpenErrorMessage(31), "Unable to open hyperlink:\n\nThere is no application "
                                          "associated\nwith the given filename extension."},
        {linklabel::OpenErrorMessage(32), "Unable to open hyperlink:\n\nThe specified "
                                          "dynamic-link library was not found."},
        {linklabel::OpenErrorMessage(-7),
         "Unable to open hyperlink:\n\nUnknown Error (-7) occurred."},
    };
    for (const Pinned& pinned : texts) {
        EXPECT_EQ(pinned.text, pinned.bytes);
    }
}

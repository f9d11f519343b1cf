#include "linklabel/link_open.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using linklabel::ComposeFallbackCommand;
using linklabel::OpenErrorMessage;

namespace {

const std::string kAddress = "http://a.example/";

std::string Compose(const std::string& registered) {
    std::string command = "untouched";
    EXPECT_TRUE(ComposeFallbackCommand(registered, kAddress, &command)) << registered;
    return command;
}

} // namespace

TEST(LinkOpenTest, CommandIsCutAtThePlaceholder) {
    EXPECT_EQ(Compose("\"C:\\Browser\\browser.exe\" \"%1\""),
              "\"C:\\Browser\\browser.exe\"  " + kAddress);
    EXPECT_EQ(Compose("browser.exe %1 -new"), "browser.exe  " + kAddress);
    EXPECT_EQ(Compose("browser.exe -new"), "browser.exe -new " + kAddress);
    // The quoted placeholder is looked for first, even after a bare one.
    EXPECT_EQ(Compose("x.exe %1 \"%1\""), "x.exe %1  " + kAddress);
    EXPECT_EQ(Compose("\"C:\\浏览器\\b.exe\" \"%1\" -new"), "\"C:\\浏览器\\b.exe\"  " + kAddress);
}

TEST(LinkOpenTest, CommandMustFitTheBuffer) {
    // No placeholder: the registered text, a blank and the address.
    const std::string fits(linklabel::kCommandBufferSize - 2 - kAddress.size(), 'a');
    EXPECT_EQ(Compose(fits).size(), linklabel::kCommandBufferSize - 1);

    std::string command = "untouched";
    EXPECT_FALSE(ComposeFallbackCommand(fits + 'a', kAddress, &command));
    EXPECT_EQ(command, "untouched");
    EXPECT_FALSE(ComposeFallbackCommand(fits + "a \"%1\"", kAddress, &command));
    EXPECT_EQ(command, "untouched");
}

TEST(LinkOpenTest, ErrorMessageNamesTheReason) {
    const std::pair<int, std::string> known[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\n"
             "were being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {1, "Unknown Error (1) occurred."},
        {-5, "Unknown Error (-5) occurred."},
        {33, "Unknown Error (33) occurred."},
    };
    for (const auto& [code, reason] : known)
        EXPECT_EQ(OpenErrorMessage(code), "Unable to open hyperlink:\n\n" + reason) << code;
}

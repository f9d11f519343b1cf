#include "diag/target_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using diag::IsAcceptableTarget;
using diag::kMaxTargetBytes;
using diag::TrimSpaces;

TEST(TargetCheckTest, TrimsOnlySpaces) {
    EXPECT_EQ(TrimSpaces("  a b  "), "a b");
    EXPECT_EQ(TrimSpaces("   "), "");
    EXPECT_EQ(TrimSpaces("\ta\t"), "\ta\t");
}

TEST(TargetCheckTest, AcceptsNamesAndAddresses) {
    const std::vector<std::string> accepted{
        "example.com",        "127.0.0.1",          "  example.com  ",
        "中文.example",       "my_host-1.invalid",  "fe80::1",
        std::string("a\x80"), std::string("a\xFF"), std::string(kMaxTargetBytes, 'a')};
    for (const std::string& typed : accepted) {
        EXPECT_TRUE(IsAcceptableTarget(typed)) << typed;
    }
}

TEST(TargetCheckTest, RefusesWhatTheInterpreterCouldMisread) {
    const std::vector<std::string> refused{"",
                                           "   ",
                                           "example.com & del x",
                                           "%PATH%",
                                           "a|b",
                                           "a\"b",
                                           "a^b",
                                           "a<b",
                                           "a>b",
                                           "a/b",
                                           "a\\b",
                                           "a\tb",
                                           "a\nb",
                                           "a b",
                                           "-t 127.0.0.1",
                                           " -n 1",
                                           "-a",
                                           " -w.invalid",
                                           "example\xD6",
                                           std::string("\xD6\x7F"),
                                           std::string("\xD6 x"),
                                           std::string(kMaxTargetBytes + 1, 'a')};
    for (const std::string& typed : refused) {
        EXPECT_FALSE(IsAcceptableTarget(typed)) << typed;
    }
}

// Each character the interpreter or ping treats specially, alone in a target
// that is otherwise fine: a check that refused them only together with the
// blank around them would let them through.
TEST(TargetCheckTest, RefusesEachSpecialCharacterAlone) {
    ASSERT_TRUE(IsAcceptableTarget("ab.example"));
    std::string special = "&|<>^%\"()!,;='`/\\*? \t";
    for (int control = 1; control < 0x20; ++control) {
        special += static_cast<char>(control);
    }
    special += '\x7F';
    special += '\0';
    for (const char c : special) {
        const std::string inside = std::string("ab") + c + ".example";
        EXPECT_FALSE(IsAcceptableTarget(inside)) << static_cast<int>(c);
        if (c != ' ') {
            EXPECT_FALSE(IsAcceptableTarget("ab.example" + std::string(1, c)))
                << static_cast<int>(c);
            EXPECT_FALSE(IsAcceptableTarget(std::string(1, c) + "ab.example"))
                << static_cast<int>(c);
        }
    }
}

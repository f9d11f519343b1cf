#include "diag/diag_texts.h"

#include <gtest/gtest.h>

#include <string>

// Reports are read in code page 936; a build without the GBK execution
// character set would silently write UTF-8 instead.
TEST(DiagTextsTest, TextsAreCodePage936Bytes) {
    EXPECT_EQ(std::string(diag::kClosingStopped), "\r\n\xD6\xD0\xD6\xB9\xC3\xFC\xC1\xEE.\r\n");
}

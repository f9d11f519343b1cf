// Prints a line for every code point from U+0080 on, surrogates unpaired: the code point, the
// bytes ReportBytes gives it and, where the system's code page 936 has it, 936's own bytes.
#include "framework/fw_text.h"
#include "report/report_file_win.h"

#include <cstdio>
#include <string>

static void PrintHex(const std::string& bytes) {
    std::printf(" ");
    for (const char byte : bytes)
        std::printf("%02X", static_cast<unsigned char>(byte));
}

int main() {
    for (char32_t codePoint = 0x80; codePoint <= 0x10FFFF; ++codePoint) {
        const char32_t offset = codePoint - 0x10000;
        const std::wstring text =
            codePoint < 0x10000 ? std::wstring(1, static_cast<wchar_t>(codePoint))
                                : std::wstring{static_cast<wchar_t>(0xD800 + (offset >> 10)),
                                               static_cast<wchar_t>(0xDC00 + (offset & 0x3FF))};
        std::printf("%04X", static_cast<unsigned>(codePoint));
        PrintHex(ReportBytes(text));
        // 936 writes '?' for a character it lacks, and never has the byte in a character's code.
        const std::string own = Narrow(text);
        if (own.find('?') == std::string::npos)
            PrintHex(own);
        std::printf("\n");
    }
}

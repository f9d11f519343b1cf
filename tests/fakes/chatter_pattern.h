#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// What chatter.exe writes: numbered lines of Chinese and accented Latin text in the console's
// code page, as console programs write, so that chunk boundaries fall inside characters of two,
// three or four bytes; every second line has words that code page 936 lacks (Korean, Thai,
// Polish, German, Vietnamese, a character beyond U+FFFF) instead of the Latin ones. A character
// the console's code page lacks is written as its replacement character.
inline std::string ChatterPattern(std::size_t bytes) {
    std::string text;
    for (int line = 1; text.size() < bytes; ++line) {
        std::wstring number = std::to_wstring(line);
        number.insert(0, 5 - number.size(), L'0');
        const std::wstring wide = L"第" + number + L"行 " + std::wstring(L"0123456", line % 7) +
                                  (line % 2 ? L"检测输出 Zeitüberschreitung éèà °± abcdefghij\r\n"
                                            : L"检测输出 응답 หมดเวลา żądanie Größe đã 𠀋\r\n");
        char encoded[256];
        const int length =
            ::WideCharToMultiByte(::GetOEMCP(), 0, wide.data(), static_cast<int>(wide.size()),
                                  encoded, sizeof encoded, nullptr, nullptr);
        text.append(encoded, static_cast<std::size_t>(length > 0 ? length : 0));
    }
    text.resize(bytes);
    return text;
}

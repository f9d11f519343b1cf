#include "framework/fw_text.h"

namespace {

std::wstring ToWide(UINT codePage, const std::string& bytes) {
    if (bytes.empty())
        return std::wstring();
    const int length = static_cast<int>(bytes.size());
    const int wide = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), length, text.data(), wide);
    return text;
}

std::string FromWide(UINT codePage, DWORD flags, const std::wstring& text) {
    if (text.empty())
        return std::string();
    const int length = static_cast<int>(text.size());
    const int narrow =
        ::WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(narrow), '\0');
    ::WideCharToMultiByte(codePage, flags, text.data(), length, bytes.data(), narrow, nullptr,
                          nullptr);
    return bytes;
}

} // namespace

std::wstring Widen(UINT codePage, const std::string& bytes) { return ToWide(codePage, bytes); }

std::string Narrow(UINT codePage, const std::wstring& text) {
    return FromWide(codePage, WC_NO_BEST_FIT_CHARS, text);
}

std::wstring FromUtf8(const std::string& utf8) { return ToWide(CP_UTF8, utf8); }

std::string ToUtf8(const std::wstring& text) { return FromWide(CP_UTF8, 0, text); }

std::wstring WindowTextWide(HWND window) {
    const auto length = static_cast<int>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = static_cast<int>(
        ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

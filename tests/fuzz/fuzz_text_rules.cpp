// The smaller text rules: the save dialog's filter, trimming the target, and
// the messages that carry a path or a number.
#include "diag/target_check.h"
#include "linklabel/link_open.h"
#include "report/report_file.h"
#include "tests/fuzz/fuzz_check.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Filter: the same bytes, each '|' that is a character of its own turned
    // into a zero, and two zeros at the end.
    const std::string filter = report::SystemFilter(text);
    FUZZ_CHECK(filter.size() == text.size() + 2);
    FUZZ_CHECK(filter.compare(text.size(), 2, std::string(2, '\0')) == 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (fuzz::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            FUZZ_CHECK(filter.compare(i, 2, text, i, 2) == 0);
            ++i;
        } else {
            FUZZ_CHECK(filter[i] == (text[i] == '|' ? '\0' : text[i]));
        }
    }

    // Trimming takes spaces, and only spaces, from both ends.
    const std::string trimmed = diag::TrimSpaces(text);
    FUZZ_CHECK(trimmed.empty() || (trimmed.front() != ' ' && trimmed.back() != ' '));
    const std::size_t before = text.find(trimmed);
    FUZZ_CHECK(before != std::string::npos);
    FUZZ_CHECK(text.find_first_not_of(' ') == (trimmed.empty() ? std::string::npos : before));
    FUZZ_CHECK(text.find_first_not_of(' ', before + trimmed.size()) == std::string::npos);

    // Any code gets a message: the fixed head, then a known reason or the
    // code in decimal.
    int code = 0;
    std::memcpy(&code, data, std::min(size, sizeof code));
    const std::string message = linklabel::OpenErrorMessage(code);
    FUZZ_CHECK(fuzz::StartsWith(message, "Unable to open hyperlink:\n\n"));
    const bool known = code == 0 || code == 2 || code == 3 || code == 5 || code == 8 ||
                       code == 11 || (code >= 26 && code <= 32);
    if (!known)
        FUZZ_CHECK(message == "Unable to open hyperlink:\n\nUnknown Error (" +
                                  std::to_string(code) + ") occurred.");
    return 0;
}

// The link label's fallback: the registered browser command with the address.
#include "linklabel/link_open.h"
#include "tests/fuzz/fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

namespace {

// Whether the quoted placeholder starts at a character of the command.
bool HasQuotedPlaceholder(const std::string& command) {
    for (std::size_t i = 0; i < command.size();
         i += fuzz::IsLeadByte(static_cast<unsigned char>(command[i])) ? 2 : 1) {
        if (command.compare(i, 4, "\"%1\"") == 0)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The registry's value buffer holds 259 characters and the zero.
    const std::string registered = input.ConsumeRandomLengthString(259);
    const std::string address = input.ConsumeRemainingBytesAsString();

    std::string command = "untouched";
    const bool fits = linklabel::ComposeFallbackCommand(registered, address, &command);
    if (!fits) {
        FUZZ_CHECK(command == "untouched");
        // Whatever the cut, the whole registered text would have fitted.
        FUZZ_CHECK(registered.size() + 1 + address.size() + 1 > linklabel::kCommandBufferSize);
        return 0;
    }
    FUZZ_CHECK(command.size() + 1 <= linklabel::kCommandBufferSize);
    // The text before the placeholder, one blank, the address.
    FUZZ_CHECK(command.size() >= address.size() + 1);
    const std::size_t kept = command.size() - address.size() - 1;
    FUZZ_CHECK(command.compare(kept, std::string::npos, " " + address) == 0);
    FUZZ_CHECK(registered.compare(0, kept, command, 0, kept) == 0);
    if (registered.find("%1") == std::string::npos) {
        FUZZ_CHECK(kept == registered.size());
    } else if (HasQuotedPlaceholder(registered)) {
        FUZZ_CHECK(registered.compare(kept, 4, "\"%1\"") == 0);
    } else {
        FUZZ_CHECK(registered.compare(kept, 2, "%1") == 0);
        FUZZ_CHECK(registered.find("%1") == kept);
    }
    return 0;
}

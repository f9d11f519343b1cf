#pragma once

#include <string>

namespace linklabel {

// The buffer the fallback command line must fit in, its zero included.
inline constexpr std::size_t kCommandBufferSize = 520;

// The command that opens the address with the program registered for web
// pages: the registered command cut at its "%1" placeholder (the quoted
// form first, searched by character, then the bare form), one blank and
// the address appended. False when the result would not fit the buffer.
bool ComposeFallbackCommand(const std::string& registered, const std::string& address,
                            std::string* command);

// What the user is told when the address could not be opened, by the code
// the shell or the fallback returned.
std::string OpenErrorMessage(int code);

} // namespace linklabel

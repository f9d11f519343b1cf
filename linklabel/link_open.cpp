#include "linklabel/link_open.h"

#include <cstdio>

namespace linklabel {

namespace {

bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// Finds the needle only where a character starts, so the second byte of a
// double-byte character never counts as a quote.
std::size_t FindByCharacter(const std::string& text, const std::string& needle) {
    for (std::size_t i = 0; i < text.size(); i += IsLeadByte(text[i]) ? 2 : 1) {
        if (text.compare(i, needle.size(), needle) == 0)
            return i;
    }
    return std::string::npos;
}

} // namespace

bool ComposeFallbackCommand(const std::string& registered, const std::string& address,
                            std::string* command) {
    std::size_t cut = FindByCharacter(registered, "\"%1\"");
    if (cut == std::string::npos)
        cut = registered.find("%1");
    std::string composed = registered.substr(0, cut);
    composed += ' ';
    composed += address;
    if (composed.size() + 1 > kCommandBufferSize)
        return false;
    *command = composed;
    return true;
}

std::string OpenErrorMessage(int code) {
    const char* reason = nullptr;
    switch (code) {
    case 0:
        reason = "The operating system is out\nof memory or resources.";
        break;
    case 2:
        reason = "The specified file was not found.";
        break;
    case 3:
        reason = "The specified path was not found.";
        break;
    case 5:
        reason = "The operating system denied\naccess to the specified file.";
        break;
    case 8:
        reason = "There was not enough memory to complete the operation.";
        break;
    case 11:
        reason = "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        break;
    case 26:
        reason = "A sharing violation occurred. ";
        break;
    case 27:
        reason = "The filename association is\nincomplete or invalid.";
        break;
    case 28:
        reason = "The DDE transaction could not\nbe completed because the request timed out.";
        break;
    case 29:
        reason = "The DDE transaction failed.";
        break;
    case 30:
        reason = "The DDE transaction could not\nbe completed because other DDE transactions\n"
                 "were being processed.";
        break;
    case 31:
        reason = "There is no application associated\nwith the given filename extension.";
        break;
    case 32:
        reason = "The specified dynamic-link library was not found.";
        break;
    }
    std::string message = "Unable to open hyperlink:\n\n";
    if (reason) {
        message += reason;
    } else {
        char unknown[64];
        std::snprintf(unknown, sizeof unknown, "Unknown Error (%d) occurred.", code);
        message += unknown;
    }
    return message;
}

} // namespace linklabel

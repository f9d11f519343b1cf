#include "diag/output_pump.h"

#include <algorithm>
#include <string>
#include <vector>

namespace diag {

bool IsCp936LeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

namespace {

// Whether the text ends in a lead byte whose trail byte has not arrived yet.
// Only a scan from the start can tell a lead byte from a trail byte.
bool EndsInLoneLeadByte(const std::string& text, LeadByteTest isLeadByte) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (isLeadByte(static_cast<unsigned char>(text[i]))) {
            if (i + 1 == text.size()) {
                return true;
            }
            i += 2;
        } else {
            ++i;
        }
    }
    return false;
}

} // namespace

void PumpOutput(ByteSource& source, OutputSink& sink, LeadByteTest isLeadByte) {
    std::vector<char> buffer(kChunkSize);
    std::string carry;
    std::size_t bytesRead = 0;
    while (source.Read(buffer.data(), kChunkSize, &bytesRead)) {
        if (!sink.Running()) {
            return;
        }
        std::string text = carry;
        carry.clear();
        text.append(buffer.data(), bytesRead);
        text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
        if (EndsInLoneLeadByte(text, isLeadByte)) {
            carry = text.back();
            text.pop_back();
        }
        if (!text.empty()) {
            sink.Append(text);
        }
    }
    // At the very end a lone lead byte has nothing left to wait for.
    if (sink.Running() && !carry.empty()) {
        sink.Append(carry);
    }
}

} // namespace diag

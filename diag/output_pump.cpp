#include "diag/output_pump.h"

#include <algorithm>
#include <vector>

namespace diag {

bool IsCp936LeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// Only a scan from the start can tell a lead byte from a trail byte.
std::size_t DoubleByteTail(const std::string& text, LeadByteTest isLeadByte) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (isLeadByte(static_cast<unsigned char>(text[i]))) {
            if (i + 1 == text.size()) {
                return 1;
            }
            i += 2;
        } else {
            ++i;
        }
    }
    return 0;
}

std::size_t Cp936Tail(const std::string& text) { return DoubleByteTail(text, IsCp936LeadByte); }

namespace {

// The length of the sequence a byte starts; 0 for a byte that starts none.
std::size_t Utf8SequenceLength(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF) {
        return 2;
    }
    if (byte >= 0xE0 && byte <= 0xEF) {
        return 3;
    }
    if (byte >= 0xF0 && byte <= 0xF4) {
        return 4;
    }
    return 0;
}

// Some starts allow only part of the continuation bytes next: the rest would make an overlong
// form, a surrogate or a value beyond U+10FFFF.
bool CanFollow(unsigned char start, unsigned char second) {
    switch (start) {
    case 0xE0:
        return second >= 0xA0;
    case 0xED:
        return second <= 0x9F;
    case 0xF0:
        return second >= 0x90;
    case 0xF4:
        return second <= 0x8F;
    default:
        return true;
    }
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

} // namespace

std::size_t Utf8Tail(const std::string& text) {
    // A sequence has at most four bytes, so an unfinished one starts among the last three.
    const std::size_t size = text.size();
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
        const auto start = static_cast<unsigned char>(text[size - back]);
        if (IsContinuation(start)) {
            continue;
        }
        if (back >= Utf8SequenceLength(start)) {
            return 0;
        }
        if (back >= 2 && !CanFollow(start, static_cast<unsigned char>(text[size - back + 1]))) {
            return 0;
        }
        return back;
    }
    return 0;
}

void PumpOutput(ByteSource& source, OutputSink& sink, IncompleteTail incompleteTail) {
    std::vector<char> buffer(kChunkSize);
    std::string carry;
    std::size_t bytesRead = 0;
    while (source.Read(buffer.data(), kChunkSize, &bytesRead)) {
        if (!sink.Running()) {
            return;
        }
        std::string text = carry;
        text.append(buffer.data(), bytesRead);
        text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
        const std::size_t held = incompleteTail(text);
        carry = text.substr(text.size() - held);
        text.resize(text.size() - held);
        if (!text.empty()) {
            sink.Append(text);
        }
    }
    // At the very end an unfinished character has nothing left to wait for.
    if (sink.Running() && !carry.empty()) {
        sink.Append(carry);
    }
}

} // namespace diag

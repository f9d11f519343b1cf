#pragma once

#include "diag/output_sink.h"

#include <cstddef>
#include <string>

namespace diag {

inline constexpr std::size_t kChunkSize = 4096;

// A child's output as the runner reads it.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to capacity bytes; false once the output has ended or failed.
    virtual bool Read(char* buffer, std::size_t capacity, std::size_t* bytesRead) = 0;
};

using LeadByteTest = bool (*)(unsigned char);

// Lead bytes of double-byte characters in code page 936.
bool IsCp936LeadByte(unsigned char byte);

// How many bytes at the end of a text begin a character that has not arrived whole, in the
// code page the text is written in.
using IncompleteTail = std::size_t (*)(const std::string& text);

// In a double-byte code page with the given lead bytes: a lead byte without its trail byte.
std::size_t DoubleByteTail(const std::string& text, LeadByteTest isLeadByte);
// In code page 936.
std::size_t Cp936Tail(const std::string& text);
// In UTF-8 (code page 65001): the start of a sequence that more bytes can still complete. Bytes
// that can never complete one are no tail.
std::size_t Utf8Tail(const std::string& text);

// Streams the source into the sink chunk by chunk until the output ends or the sink stops
// running (checked after every read, before its append). The tail of a character that is not
// whole at the end of a chunk waits for the rest of it in the next one; at the end of the output
// it is shown as it is. Zero bytes, which the pane cannot hold, are left out.
void PumpOutput(ByteSource& source, OutputSink& sink, IncompleteTail incompleteTail);

} // namespace diag

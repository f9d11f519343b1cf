#pragma once

#include "diag/output_sink.h"

#include <cstddef>

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

// Streams the source into the sink chunk by chunk until the output ends or
// the sink stops running (checked after every read, before its append).
// A lead byte at the end of a chunk waits for its trail byte in the next one;
// zero bytes, which the pane cannot hold, are left out.
void PumpOutput(ByteSource& source, OutputSink& sink, LeadByteTest isLeadByte);

} // namespace diag

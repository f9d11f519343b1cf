// The output pump, between a child's pipe and the pane.
#include "diag/output_pump.h"
#include "tests/fuzz/fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Sink : public diag::OutputSink {
public:
    bool Running() const override { return !stopped; }
    void Append(const std::string& text) override {
        FUZZ_CHECK(!stopped);
        FUZZ_CHECK(!text.empty());
        appends.push_back(text);
    }

    bool stopped = false;
    std::vector<std::string> appends;
};

// Hands out the stream in reads of the sizes chosen, then the rest in whole
// chunks; Stop is pressed while read number stopDuring (from 1) waits.
class Source : public diag::ByteSource {
public:
    Source(std::vector<std::size_t> sizes, std::string stream, std::size_t stopDuring, Sink& sink)
        : m_sizes(std::move(sizes)), m_stream(std::move(stream)), m_stopDuring(stopDuring),
          m_sink(sink) {}

    bool Read(char* buffer, std::size_t capacity, std::size_t* bytesRead) override {
        // The runner stops reading once it has seen the stop.
        FUZZ_CHECK(!m_sink.stopped);
        FUZZ_CHECK(capacity == diag::kChunkSize);
        ++m_reads;
        if (m_reads == m_stopDuring)
            m_sink.stopped = true;
        if (m_at == m_stream.size() && m_reads > m_sizes.size())
            return false;
        const std::size_t wanted = m_reads <= m_sizes.size() ? m_sizes[m_reads - 1] : capacity;
        const std::size_t size = std::min({wanted, capacity, m_stream.size() - m_at});
        std::memcpy(buffer, m_stream.data() + m_at, size);
        m_at += size;
        *bytesRead = size;
        return true;
    }

    // What has been handed out so far.
    std::string Delivered() const { return m_stream.substr(0, m_at); }

private:
    const std::vector<std::size_t> m_sizes;
    const std::string m_stream;
    const std::size_t m_stopDuring;
    Sink& m_sink;
    std::size_t m_reads = 0;
    std::size_t m_at = 0;
};

// Where characters begin and end in the text, scanned from its start.
std::vector<bool> CharacterEdges(const std::string& text) {
    std::vector<bool> edge(text.size() + 1, false);
    edge[0] = true;
    for (std::size_t i = 0; i < text.size();) {
        i += fuzz::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        edge[i] = true;
    }
    return edge;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // 0: nobody presses Stop.
    const std::size_t stopDuring = input.ConsumeIntegralInRange<std::size_t>(0, 24);
    const bool utf8 = input.ConsumeBool();
    std::vector<std::size_t> sizes(input.ConsumeIntegralInRange<std::size_t>(0, 16));
    for (std::size_t& each : sizes)
        each = input.ConsumeIntegralInRange<std::size_t>(0, diag::kChunkSize);
    const std::string stream = input.ConsumeRemainingBytesAsString();

    Sink sink;
    Source source(sizes, stream, stopDuring, sink);
    diag::PumpOutput(source, sink, utf8 ? diag::Utf8Tail : diag::Cp936Tail);

    std::string delivered = source.Delivered();
    delivered.erase(std::remove(delivered.begin(), delivered.end(), '\0'), delivered.end());
    std::string shown;
    for (const std::string& text : sink.appends)
        shown += text;
    if (sink.stopped) {
        FUZZ_CHECK(fuzz::StartsWith(delivered, shown));
    } else {
        FUZZ_CHECK(shown == delivered);
    }
    if (utf8)
        return 0;
    // Only the last append may end inside a character, when the output
    // itself ends there.
    const std::vector<bool> edge = CharacterEdges(delivered);
    std::size_t end = 0;
    for (std::size_t i = 0; i + 1 < sink.appends.size(); ++i) {
        end += sink.appends[i].size();
        FUZZ_CHECK(edge[end]);
    }
    return 0;
}

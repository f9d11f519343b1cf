// pump_bench [MEGABYTES]
// The output pump's throughput: 100 MB (unless given) of mixed ASCII and double-byte text, read
// in pieces of random length up to a chunk, pumped into a sink that only counts. Prints MB/s.
#include "diag/output_pump.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

// Lines like the ones ping and tracert print, with Chinese text in them.
std::string MixedText(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 128);
    for (int line = 1; text.size() < bytes; ++line) {
        char buffer[96];
        std::snprintf(buffer, sizeof buffer,
                      "来自 127.0.0.1 的回复: 字节=32 时间<1ms TTL=128 第%d行\r\n", line);
        text += buffer;
    }
    text.resize(bytes);
    return text;
}

class RandomPieces : public diag::ByteSource {
public:
    explicit RandomPieces(const std::string& text) : m_text(text) {}
    bool Read(char* buffer, std::size_t capacity, std::size_t* bytesRead) override {
        if (m_at == m_text.size())
            return false;
        std::uniform_int_distribution<std::size_t> length(1, capacity);
        *bytesRead = std::min(length(m_random), m_text.size() - m_at);
        std::memcpy(buffer, m_text.data() + m_at, *bytesRead);
        m_at += *bytesRead;
        return true;
    }

private:
    const std::string& m_text;
    std::size_t m_at = 0;
    std::mt19937 m_random{936};
};

class CountingSink : public diag::OutputSink {
public:
    bool Running() const override { return true; }
    void Append(const std::string& text) override { bytes += text.size(); }
    std::size_t bytes = 0;
};

} // namespace

int main(int argc, char** argv) {
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100;
    const std::string text = MixedText(megabytes * 1000 * 1000);
    RandomPieces source(text);
    CountingSink sink;
    const auto begin = std::chrono::steady_clock::now();
    diag::PumpOutput(source, sink, diag::Cp936Tail);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - begin;
    if (sink.bytes != text.size()) {
        std::fprintf(stderr, "pump_bench: %zu of %zu bytes came through\n", sink.bytes,
                     text.size());
        return 1;
    }
    std::printf("%.0f\n", static_cast<double>(text.size()) / 1e6 / seconds.count());
    return 0;
}

#include "diag/output_pump.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using diag::Cp936Tail;
using diag::IsCp936LeadByte;
using diag::kChunkSize;
using diag::PumpOutput;
using diag::Utf8Tail;

namespace {

// Hands out one scripted chunk per read, then reports the end.
class FakeSource : public diag::ByteSource {
public:
    explicit FakeSource(std::vector<std::string> chunks) : m_chunks(std::move(chunks)) {}

    bool Read(char* buffer, std::size_t capacity, std::size_t* bytesRead) override {
        EXPECT_EQ(capacity, kChunkSize);
        if (reads == m_chunks.size()) {
            return false;
        }
        const std::string& chunk = m_chunks[reads++];
        std::memcpy(buffer, chunk.data(), chunk.size());
        *bytesRead = chunk.size();
        return true;
    }

    std::size_t reads = 0;

private:
    std::vector<std::string> m_chunks;
};

class FakeSink : public diag::OutputSink {
public:
    bool Running() const override { return running; }
    void Append(const std::string& text) override {
        EXPECT_FALSE(text.empty());
        appends.push_back(text);
        if (onAppend) {
            onAppend();
        }
    }

    bool running = true;
    std::vector<std::string> appends;
    std::function<void()> onAppend;
};

std::vector<std::string> Pump(const std::vector<std::string>& chunks,
                              diag::IncompleteTail tail = Cp936Tail) {
    FakeSource source(chunks);
    FakeSink sink;
    PumpOutput(source, sink, tail);
    return sink.appends;
}

using Appends = std::vector<std::string>;

} // namespace

TEST(OutputPumpTest, LeadByteRange) {
    EXPECT_FALSE(IsCp936LeadByte(0x80));
    EXPECT_TRUE(IsCp936LeadByte(0x81));
    EXPECT_TRUE(IsCp936LeadByte(0xFE));
    EXPECT_FALSE(IsCp936LeadByte(0xFF));
}

TEST(OutputPumpTest, CompleteChunksArriveWhole) {
    const std::string full(kChunkSize, 'a');
    EXPECT_EQ(Pump({full, "b"}), (Appends{full, "b"}));
    // D6 D0 is one character; its trail byte is in the lead range too.
    EXPECT_EQ(Pump({"\xD6\xD0\xD6\xD0"}), (Appends{"\xD6\xD0\xD6\xD0"}));
    EXPECT_EQ(Pump({}), Appends{});
}

TEST(OutputPumpTest, ZeroBytesAreLeftOut) {
    EXPECT_EQ(Pump({std::string("ab\0cd", 5), "e"}), (Appends{"abcd", "e"}));
    EXPECT_EQ(Pump({std::string(3, '\0'), "e"}), (Appends{"e"}));
}

TEST(OutputPumpTest, CharacterSplitAcrossReadsArrivesWhole) {
    EXPECT_EQ(Pump({"ab\xD6\xD0\xD6", "\xD0"
                                      "cd"}),
              (Appends{"ab\xD6\xD0", "\xD6\xD0"
                                     "cd"}));
    EXPECT_EQ(Pump({"\xD6", "\xD0"}), (Appends{"\xD6\xD0"}));
}

TEST(OutputPumpTest, LoneLeadByteAtTheEndIsShown) {
    EXPECT_EQ(Pump({"ab\xD6"}), (Appends{"ab", "\xD6"}));
}

// ü, 路 and an emoji: two, three and four bytes.
TEST(OutputPumpTest, Utf8CharacterSplitAtAnyOfItsBytesArrivesWhole) {
    for (const std::string character : {"\xC3\xBC", "\xE8\xB7\xAF", "\xF0\x9F\x98\x80"}) {
        for (std::size_t cut = 1; cut < character.size(); ++cut) {
            EXPECT_EQ(Pump({"a" + character.substr(0, cut), character.substr(cut) + "b"}, Utf8Tail),
                      (Appends{"a", character + "b"}))
                << character.size() << " bytes, cut after " << cut;
        }
    }
    EXPECT_EQ(Pump({"a\xE8", "\xB7", "\xAF"}, Utf8Tail), (Appends{"a", "\xE8\xB7\xAF"}));
    EXPECT_EQ(Pump({"a\xE8\xB7"}, Utf8Tail), (Appends{"a", "\xE8\xB7"}));
}

// A start byte that never begins a sequence, a second byte its start does not allow, or one
// continuation byte too many.
TEST(OutputPumpTest, Utf8BytesThatCanNeverCompleteACharacterAreNotHeld) {
    for (const std::string never : {"\xC0", "\xC1", "\xF5", "\xFF", "\xE0\x9F", "\xED\xA0",
                                    "\xF0\x8F", "\xF4\x90", "\xC3\xBC\xBC"}) {
        EXPECT_EQ(Pump({"a" + never, "b"}, Utf8Tail), (Appends{"a" + never, "b"})) << never.size();
    }
}

TEST(OutputPumpTest, NothingIsShownAfterStop) {
    FakeSource source({"ab\xD6",
                       "\xD0"
                       "cd",
                       "ef"});
    FakeSink sink;
    sink.onAppend = [&sink] { sink.running = false; };
    PumpOutput(source, sink, Cp936Tail);
    EXPECT_EQ(sink.appends, Appends{"ab"});
    EXPECT_EQ(source.reads, 2u);

    // Stopped just as the output ended: the held-back lead byte stays back.
    FakeSource ending({"ab\xD6"});
    FakeSink stopped;
    stopped.onAppend = [&stopped] { stopped.running = false; };
    PumpOutput(ending, stopped, Cp936Tail);
    EXPECT_EQ(stopped.appends, Appends{"ab"});
}

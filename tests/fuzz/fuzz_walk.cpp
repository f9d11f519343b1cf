// A whole run over a host whose answers the fuzzer chooses: name lookups,
// connects, consoles that start or not, and the moment Stop is pressed.
#include "diag/diag_run.h"
#include "diag/diag_texts.h"
#include "diag/target_check.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/native/fake_host.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string Line(const char* text, const std::string& host) {
    std::string line = text;
    return line.replace(line.find("%s"), 2, host);
}

// One thing the run did: a call to the host or a text appended.
struct Event {
    bool isCall;
    std::string text;
    bool stoppedBefore; // the flag was already down when it began
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // Stop is pressed during event number stopAt (from 1); 0: before the run
    // begins, past its last event: never.
    const std::size_t stopAt = input.ConsumeIntegralInRange<std::size_t>(0, 64);
    const bool isAddress = input.ConsumeBool();
    FakeHost host;
    std::string target = input.ConsumeRandomLengthString(64);
    // No line break in the target, so that no line the run writes can pass
    // for another.
    std::replace(target.begin(), target.end(), '\r', '_');
    std::replace(target.begin(), target.end(), '\n', '_');

    const auto addressTest = [isAddress](const std::string&) { return isAddress; };
    // The host's answers are for the target the run uses, trimmed of spaces.
    const std::string trimmed = diag::TrimSpaces(target);
    const std::string lowered = diag::LowerCaseTarget(trimmed);
    int hostNumber = 0;
    for (const std::string& name : {lowered, "www." + lowered}) {
        ++hostNumber;
        // -1: the name does not resolve at all.
        const int count = input.ConsumeIntegralInRange(-1, 3);
        if (count < 0)
            continue;
        std::vector<std::string>& addresses = host.addresses[name];
        for (int i = 0; i < count; ++i) {
            addresses.push_back("10.0." + std::to_string(hostNumber) + "." + std::to_string(i));
            if (input.ConsumeBool())
                host.listening.insert(addresses.back());
        }
    }
    for (const std::string& entry : diag::BuildPlan(trimmed, addressTest)) {
        const std::string command = "cmd.exe /d /c " + entry;
        host.consoleOutput[command] = "output of " + command + "\r\n";
        if (input.ConsumeBool())
            host.unstartable.insert(command);
    }

    std::vector<Event> events;
    std::size_t outputAtStop = std::string::npos;
    const auto tick = [&] {
        if (events.size() == stopAt && host.running) {
            host.running = false;
            outputAtStop = host.output.size();
        }
    };
    std::size_t appended = 0;
    host.onCall = [&](const std::string& call) {
        events.push_back({true, call, !host.running});
        tick();
    };
    host.onAppend = [&] {
        events.push_back({false, host.output.substr(appended), !host.running});
        appended = host.output.size();
        tick();
    };
    if (stopAt == 0) {
        host.running = false;
        outputAtStop = 0;
    }

    diag::RunDiagnostics(target, addressTest, host);

    const bool stopped = outputAtStop != std::string::npos;
    if (stopAt == 0) {
        FUZZ_CHECK(host.output == diag::kClosingStopped);
        FUZZ_CHECK(host.calls.empty());
        return 0;
    }
    FUZZ_CHECK(fuzz::StartsWith(host.output, diag::kSeparator));
    // Exactly one closing line, the last thing written, and the stopped one
    // exactly when Stop was pressed.
    std::size_t closings = 0;
    for (const Event& event : events)
        closings += !event.isCall &&
                    (event.text == diag::kClosingCompleted || event.text == diag::kClosingStopped);
    FUZZ_CHECK(closings == 1);
    FUZZ_CHECK(!events.back().isCall);
    // Stop pressed while the closing line itself was written is too late for it.
    const bool stoppedInTime = stopped && stopAt < events.size();
    FUZZ_CHECK(events.back().text ==
               (stoppedInTime ? diag::kClosingStopped : diag::kClosingCompleted));
    if (stopped) {
        // No step begins after Stop.
        FUZZ_CHECK(host.output.find(diag::kSeparator, outputAtStop) == std::string::npos);
    }

    for (std::size_t i = 0; i < events.size(); ++i) {
        const Event& event = events[i];
        if (event.isCall && fuzz::StartsWith(event.text, "connect "))
            FUZZ_CHECK(!event.stoppedBefore);
        if (!event.isCall || !fuzz::StartsWith(event.text, "lookup "))
            continue;
        // A probe: its lookup, a line, the connects in order, an outcome.
        const std::string name = event.text.substr(7);
        const auto known = host.addresses.find(name);
        const std::vector<std::string> addresses =
            known == host.addresses.end() ? std::vector<std::string>() : known->second;
        FUZZ_CHECK(i + 1 < events.size() && !events[i + 1].isCall);
        if (addresses.empty()) {
            FUZZ_CHECK(events[i + 1].text == Line(diag::kLookupFailed, name));
            continue;
        }
        FUZZ_CHECK(events[i + 1].text == Line(diag::kConnectAttempt, name));
        std::size_t next = i + 2;
        std::size_t tried = 0;
        bool connected = false;
        for (; next < events.size() && events[next].isCall; ++next, ++tried) {
            FUZZ_CHECK(tried < addresses.size() && !connected);
            FUZZ_CHECK(events[next].text == "connect " + addresses[tried] + ":80");
            connected = host.listening.count(addresses[tried]) != 0;
            // A connect that Stop interrupted says nothing more.
            if (next + 1 < events.size() && events[next + 1].stoppedBefore &&
                !events[next].stoppedBefore) {
                FUZZ_CHECK(next + 2 == events.size());
            }
        }
        FUZZ_CHECK(next < events.size());
        const std::string& after = events[next].text;
        if (after == Line(diag::kConnected, name)) {
            FUZZ_CHECK(connected);
        } else if (after == Line(diag::kNotConnected, name)) {
            FUZZ_CHECK(!connected && tried == addresses.size());
        } else {
            FUZZ_CHECK(after == diag::kClosingStopped);
        }
    }
    return 0;
}

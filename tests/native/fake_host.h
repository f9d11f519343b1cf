#pragma once

#include "diag/diag_host.h"

#include <arpa/inet.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// The address test the Windows build gets from the system: glibc's
// inet_addr accepts the same short, octal and hex forms and, like it,
// cannot tell 255.255.255.255 from a failure.
inline bool IsIpv4Address(const std::string& text) {
    return inet_addr(text.c_str()) != INADDR_NONE;
}

// A host with scripted answers. Every call is logged, and onCall runs in the
// middle of it so a test can press Stop at that exact moment.
class FakeHost : public diag::DiagHost {
public:
    bool running = true;
    std::string output;
    std::vector<std::string> calls;
    std::function<void(const std::string& call)> onCall;

    std::map<std::string, std::string> consoleOutput;          // by command line
    std::set<std::string> unstartable;                         // command lines
    std::map<std::string, std::vector<std::string>> addresses; // by host, in order
    std::set<std::string> listening;
    // Called in the middle of every Append.
    std::function<void()> onAppend;

    bool Running() const override { return running; }
    void Append(const std::string& text) override {
        output += text;
        if (onAppend) {
            onAppend();
        }
    }

    bool RunConsole(const std::string& commandLine) override {
        Log("run " + commandLine);
        if (unstartable.count(commandLine)) {
            return false;
        }
        Append(consoleOutput[commandLine]);
        return true;
    }

    bool Lookup(const std::string& host, std::vector<std::string>* found) override {
        Log("lookup " + host);
        const auto known = addresses.find(host);
        if (known == addresses.end()) {
            return false;
        }
        *found = known->second;
        return true;
    }

    // The addresses in turn, as the attempts start, until one listens or
    // the run stops.
    bool Connect(const std::vector<std::string>& tried, unsigned short port) override {
        for (const std::string& address : tried) {
            if (!running) {
                return false;
            }
            Log("connect " + address + ":" + std::to_string(port));
            if (listening.count(address) != 0) {
                return true;
            }
        }
        return false;
    }

private:
    void Log(const std::string& call) {
        calls.push_back(call);
        if (onCall) {
            onCall(call);
        }
    }
};

#pragma once

#include <string>

namespace diag {

// Where a run writes its text and learns whether it may go on. The worker
// holds one per run; nothing behind it may point at the dialog object.
class OutputSink {
public:
    virtual ~OutputSink() = default;
    virtual bool Running() const = 0;
    virtual void Append(const std::string& text) = 0;
};

} // namespace diag

#pragma once
// The progress log as the steps of a long command see it: one line at a time,
// the newest on top. The window, the command line and the tests each provide one.

#include <string>

namespace quillfen {

class LogSink {
public:
    virtual ~LogSink() = default;
    /// Puts one line on top of the progress log.
    virtual void log(const std::string& line) = 0;
};

/// For callers that want the work without its progress lines.
class DiscardedLog final : public LogSink {
public:
    void log(const std::string& /*line*/) override {}
};

} // namespace quillfen

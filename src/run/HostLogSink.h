#pragma once
// Lets the conversion run hand its host's progress log to the result-file
// steps (s-file edits, texture collection, sd-file, copies, reference entry).

#include "run/CommandHost.h"
#include "sfile/LogSink.h"

namespace quillfen {

class HostLogSink final : public LogSink {
public:
    explicit HostLogSink(CommandHost& host) : m_host(host) {}
    void log(const std::string& line) override { m_host.log(line); }

private:
    CommandHost& m_host;
};

} // namespace quillfen

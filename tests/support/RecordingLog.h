#pragma once
// A progress log that keeps its lines, for tests of the steps that log.

#include "core/LogSink.h"

#include <string>
#include <vector>

namespace quillfen::test {

class RecordingLog final : public LogSink {
public:
    void log(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines; ///< oldest first
};

} // namespace quillfen::test

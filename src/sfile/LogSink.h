#pragma once
// Where the result-file steps of the conversion run (s-file edits, texture
// collection, sd-file, copies, reference entry) put their progress lines. The
// run hands in its host (see run/HostLogSink.h); tests hand in a recorder.

#include "app/ProgramState.h"

#include <string>

namespace quillfen {

class LogSink {
public:
    virtual ~LogSink() = default;
    /// Puts one line on top of the progress log.
    virtual void log(const std::string& line) = 0;
};

/// Logs the German or the English line by the current language; nothing for
/// any other language value.
inline void logInLanguage(LogSink& sink, const ProgramState& state, const std::string& german,
                          const std::string& english) {
    const std::string line = state.pick(german, english);
    if (!line.empty()) sink.log(line);
}

} // namespace quillfen

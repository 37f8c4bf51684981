#pragma once
// Texts and the bilingual log helper shared by the conversion run's files.

#include "app/ProgramState.h"
#include "run/CommandHost.h"

#include <string>

namespace quillfen {

namespace texts {
/// The title of the run's message boxes.
inline const std::string kProgramName = "Quillfen";
/// The log's separator line: 91 "-".
inline const std::string kSeparatorLine(91, '-');
} // namespace texts

/// Logs the German line when the language is "deutsch", the English one when
/// it is "english", and nothing for any other value.
inline void logPick(const ProgramState& state, CommandHost& host, const std::string& german,
                    const std::string& english) {
    if (state.isGerman()) host.log(german);
    if (state.isEnglish()) host.log(english);
}

} // namespace quillfen

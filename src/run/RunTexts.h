#pragma once
// The two texts of the conversion run that are the same in every language.

#include <string>

namespace quillfen {

/// The title of the run's message boxes.
inline const std::string kProgramName = "Quillfen";
/// The log's separator line: 91 "-".
inline const std::string kSeparatorLine(91, '-');

} // namespace quillfen

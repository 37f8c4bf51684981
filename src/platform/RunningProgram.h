#pragma once
// The running program's own file, so that what was installed with it can be
// found from there.

#include <string>

namespace quillfen {

/// The absolute path of the running program's file; "" when the system cannot tell.
[[nodiscard]] std::string runningProgramPath();

} // namespace quillfen

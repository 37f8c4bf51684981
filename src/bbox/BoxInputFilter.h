#pragma once
// The key-by-key filtering of txtBBoxInput: after each key the text is tidied so
// that only numbers, points, minus signs and single blanks stand in it, and at
// most six values.

#include <string>
#include <string_view>

namespace quillfen {

struct BoxInputEdit {
    std::string text; ///< the box's new text (unchanged when nothing needed tidying)
    int caret = 0;    ///< the new insertion point, in characters
};

/// The box's text and caret after the key-up of a key whose character was
/// `lastTyped` (0 before anything was typed). `caret` counts characters (code
/// points) from the start of `text`.
[[nodiscard]] BoxInputEdit filterBoxInputKeyUp(std::string_view text, int caret, char32_t lastTyped);

} // namespace quillfen

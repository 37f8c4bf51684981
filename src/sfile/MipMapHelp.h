#pragma once
// The help text behind the "?" beside the mipmap combo box: what the LOD bias
// in a shape's texture entries does. Its example lines line up their entries
// with blanks, so the help window shows it in a fixed-pitch font.

#include "core/Texts.h"

#include <string>

namespace quillfen {

/// The help text in `language`; lines end in CR LF.
[[nodiscard]] inline const std::string& MipMapHilfeText(Language language) {
    return text(language, TextId::MipMapHelp);
}

} // namespace quillfen

#pragma once
// The help text behind the "?" beside the mipmap combo box: what the LOD bias
// in a shape's texture entries does, in German and English.

#include <optional>
#include <string>

namespace quillfen {

/// The help text for `language`: German for "deutsch", English for "english"
/// and for an empty language, nothing for any other value (the help window
/// then keeps the text it has). Lines end in CR LF.
[[nodiscard]] std::optional<std::string> MipMapHilfeText(const std::string& language);

} // namespace quillfen

// Any text typed or pasted as box values: nothing crashes, and validating twice gives what once gave.

#include "bbox/BoxInputFilter.h"
#include "bbox/BoxValidation.h"
#include "bbox/BoxValuesText.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string once = quillfen::validiereBoundingBox(text, 4);
    if (quillfen::validiereBoundingBox(once, 4) != once) std::abort();
    (void)quillfen::boxDisplayLine(once);
    (void)quillfen::boxDisplayAfterInputChange(text);
    (void)quillfen::handOverBoxValues(text);

    const int caret = size > 0 ? data[0] % 40 : 0;
    const char32_t typed = size > 1 ? static_cast<char32_t>(data[size - 1]) : U'\0';
    const quillfen::BoxInputEdit edit = quillfen::filterBoxInputKeyUp(text, caret, typed);
    // The caret stays inside the text, and at most six values can stand in it.
    if (edit.caret < 0 || edit.caret > static_cast<int>(quillfen::toCodePoints(edit.text).size()))
        std::abort();
    if (std::count(edit.text.begin(), edit.text.end(), ' ') > 6) std::abort();
    return 0;
}

#include "bbox/BoxValuesText.h"

#include "bbox/BoxValidation.h"
#include "platform/Numbers.h"
#include "platform/Text.h"

namespace quillfen {

std::string boxValuesText(const BoxValues& box, char decimalSeparator) {
    std::string text;
    for (std::size_t i = 0; i < box.size(); ++i) {
        if (i > 0) text += ' ';
        std::string value = formatFloat32(box[i]);
        for (char& c : value)
            if (c == '.') c = decimalSeparator;
        text += value;
    }
    return text;
}

std::string handOverBoxValues(std::string_view valuesText) {
    const std::string withPoints = replaceAll(valuesText, ",", ".");
    std::string joined;
    std::size_t start = 0;
    for (;;) {
        const std::size_t blank = withPoints.find(' ', start);
        const std::size_t end = blank == std::string::npos ? withPoints.size() : blank;
        const double value = readLeadingNumber(std::string_view(withPoints).substr(start, end - start));
        joined += formatShortest(value, '.') + " ";
        if (blank == std::string::npos) break;
        start = blank + 1;
    }
    return trimBlanks(replaceAll(joined, ",", "."));
}

} // namespace quillfen

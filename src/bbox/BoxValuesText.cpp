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

std::string boxQuestionText(std::string_view valuesText, bool german) {
    const std::string line = boxDisplayLine(valuesText);
    if (german)
        return "Soll diese BoundingBox am Bildschirm übernommen werden?\r\n\r\n" + line +
               "\r\n\r\nDiese BoundingBox umfaßt das Shape vollständig.";
    return "Should this BoundingBox data taken to the screen?\r\n\r\n" + line +
           "\r\n\r\nThis BoundingBox covers the shape completely.";
}

} // namespace quillfen

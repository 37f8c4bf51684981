#include "sfile/MipMapHelp.h"

#include <array>
#include <cstddef>

namespace quillfen {
namespace {

/// One paragraph of the help text and the line breaks that follow it.
struct HelpPiece {
    int breaks;
    const char* german;
    const char* english;
};

// The example lines line up their entries with blanks; keep them as they are.
constexpr std::array<HelpPiece, 16> kPieces{{
    {2,
     "ACHTUNG! Beeinflußt extrem die Framerate. Als Beispiel bei Vegetations-Büschen -> 0 = 53fps / -1 = "
     "40fps / "
     "-2 = 30fps",
     "ATTENTION! Influenced extremely the framerate. As an example for vegetation bushes -> 0 = 53fps / -1 = "
     "40fps "
     "/ -2 = 30fps"},
    {2,
     "Der Standard-Wert ist 0. Wähle hier den gewünschten Wert, wenn er abweichend von 0 sein soll. Er wird "
     "dann in "
     "die Shape-Datei eingetragen.",
     "The default value is 0. Select here the desired value, if it is to be different from 0. It is then "
     "entered "
     "into the s-file."},
    {2, "In der Shape-Datei gibt es Zeilen die in etwa lauten: 'texture ( x 0 0 ff000000 )'.",
     "In the shape file there are lines denominated in about: 'texture (x 0 0 ff000000)'."},
    {1,
     "Das x steht für die Textur-Nummer. Der 3. Parameter bestimmt, wie die Texturen mit zunehmender "
     "Entfernung vom "
     "Shape dargestellt werden.",
     "The x stands for the texture number. The third parameter determines how the textures are shown with "
     "increasing distance from the shape."},
    {2,
     "Ändert man die Zeile beispielsweise in: 'texture ( 0 0 -3 ff000000 )', wird die Textur Nr.0 auch in "
     "der Ferne "
     "detailierter dargestellt. Dabei kann allerdings das 'Knistern' zunehmen, d.h. die Textur wirkt "
     "krisselig, wenn "
     "man sich entfernt an ihr vorbei bewegt.",
     "If you change the line for example to: 'texture (0 0 -3 ff000000)', the texture No. 0 shows more "
     "details in "
     "the distance. However, it can increase 'crackle' , ie the texture seems grainy if you pass it along in "
     "certain "
     "distance."},
    {2, "In etwa gelten für den 3. Parameter folgende Werte:",
     "In approximately the following values apply for the third parameter:"},
    {1, " 0 = Textur ist wenig detailiert (bereits in der Nähe verwaschen), aber kaum 'Knistern'.",
     " 0 = Texture is little detailed (already washed out nearby), but hardly 'crackling'."},
    {2, "-4 = Textur ist sehr detailiert, aber in der Ferne sehr 'krisslig'.",
     "-4 = Texture is very detailed, but in the distance very 'crackling'."},
    {2, "Positive Werte (1 oder 2) verwaschen extrem und sind daher nicht üblich.",
     "Positive values (1 or 2) are extremely washed out and therefore are not common."},
    {1,
     "Die Änderungen werden immer für alle Texturen des Shapes durchgeführt. Es ist hier nicht möglich nur "
     "eine "
     "einzelne Textur des Shapes zu beeinflußen.",
     "The changes are always performed for all textures of the shape. It is not possible to influence a "
     "single "
     "texture of the shape here."},
    {1, "Beispiel:", "Example:"},
    {1, "vorher  -> texture ( 0 0 0 ff000000 )", "before  -> texture ( 0 0 0 ff000000 )"},
    {2, "           texture ( 1 0 0 ff000000 )", "           texture ( 1 0 0 ff000000 )"},
    {1, "nachher -> texture ( 0 0 -3 ff000000 )", "after   -> texture ( 0 0 -3 ff000000 )"},
    {2, "           texture ( 1 0 -3 ff000000 )", "           texture ( 1 0 -3 ff000000 )"},
    {0, "Der erste Parameter steht für die Texturnummer.", "The first parameter is the texture number."},
}};

std::string joinPieces(bool german) {
    std::string text;
    for (const HelpPiece& piece : kPieces) {
        text += german ? piece.german : piece.english;
        for (int i = 0; i < piece.breaks; ++i) text += "\r\n";
    }
    return text;
}

} // namespace

std::optional<std::string> MipMapHilfeText(const std::string& language) {
    if (language == "deutsch") return joinPieces(true);
    if (language == "english" || language.empty()) return joinPieces(false);
    return std::nullopt;
}

} // namespace quillfen

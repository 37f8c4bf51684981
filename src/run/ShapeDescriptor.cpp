#include "run/ShapeDescriptor.h"

#include "platform/Paths.h"
#include "platform/Text.h"

namespace quillfen {

namespace {

constexpr std::string_view kBoxLineStart = "ESD_Bounding_Box ( ";
const std::string kIndent(8, ' ');

} // namespace

std::string alternativeTextureCode(const AlternativeTextureChoices& choices) {
    std::string code = "0";
    if (choices.optSchneeTextur) code = "1";
    if (choices.optSchneeUndNachtTextur) code = "257";
    if (choices.optJahreszeitenTextur) code = "252";
    if (choices.optManuellAlternativTexture) code = choices.txtESD_Alter_Tex;
    return code;
}

bool includesBoundingBox(const ShapeDescriptorChoices& choices) {
    return choices.chkBoundingBox != 0 && !choices.txtBBoxInput.empty() &&
           startsWith(choices.txtBBox, kBoxLineStart);
}

std::string shapeDescriptorText(const ShapeDescriptorChoices& choices, const std::string& sFileName) {
    std::string text = "SIMISA@@@@@@@@@@JINX0t1t______\r\n";
    text += "\r\n";
    text += "shape ( " + sFileName + "\r\n";
    text += kIndent + "ESD_Detail_Level (0)\r\n";
    text += kIndent + "ESD_Alternative_Texture (" + alternativeTextureCode(choices.texture) + ")\r\n";
    if (includesBoundingBox(choices)) text += kIndent + choices.txtBBox + "\r\n";
    text += ")";
    return text;
}

Status writeShapeDescriptor(const ShapeDescriptorChoices& choices, const ProgramState& state,
                            FileSystem& files, LogSink& log) {
    if (choices.chkBoundingBox != 0 && choices.txtBBoxInput.empty())
        logInLanguage(log, state, "•keine BoundingBox-Zeile in sd-Datei übernommen, weil sie leer ist",
                      "•no BoundingBox line in sd-file because it's empty.");
    if (includesBoundingBox(choices))
        logInLanguage(log, state, "•BoundingBox-Zeile in sd-Datei übernommen",
                      "•sd-file has BoundingBox line");
    const std::string path = state.gstrProgrammPfad + kSep + "SHAPES" + kSep + state.gstrSDateiName + "d";
    if (Status written = files.writeUnicodeText(path, shapeDescriptorText(choices, state.gstrSDateiName));
        !written)
        return written;
    logInLanguage(log, state, "•sd-Datei in SHAPES geschrieben", "•sd-file written in SHAPES");
    return {};
}

} // namespace quillfen

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
                            const ShapePaths& paths, FileSystem& files, LogSink& log) {
    if (choices.chkBoundingBox != 0 && choices.txtBBoxInput.empty())
        log.log(state.text(TextId::LogBoxLineEmpty));
    if (includesBoundingBox(choices)) log.log(state.text(TextId::LogBoxLineWritten));
    if (Status written = files.writeUnicodeText(paths.sdFile, shapeDescriptorText(choices, paths.sFileName));
        !written)
        return written;
    log.log(state.text(TextId::LogSdFileWritten));
    return {};
}

} // namespace quillfen

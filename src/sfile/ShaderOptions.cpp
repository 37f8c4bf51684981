#include "sfile/ShaderOptions.h"

#include "platform/Text.h"
#include "sfile/IndexedText.h"
#include "sfile/TextSearch.h"

#include <array>
#include <string_view>

namespace quillfen {

namespace {

constexpr std::array<std::string_view, 5> kTexturedShaders{
    "named_shader ( Tex )", "named_shader ( TexDiff )", "named_shader ( BlendATex )",
    "named_shader ( AddATex )", "named_shader ( BlendATexDiff )"};
constexpr std::string_view kAddATexDiffShader = "named_shader ( AddATexDiff )";
constexpr std::string_view kDiffuseShader = "named_shader ( Diffuse )";
constexpr std::string_view kDummyTexture = "TextureDummy.ace";

bool isAceName(const std::string& fileName) {
    return toUpperLatin1(fileName).find(".ACE") != std::string::npos;
}

/// An ace file of the working folder whose name the text holds in any letter case.
bool usesAceFile(const IndexedText& text, const std::string& fileName) {
    return isAceName(fileName) && text.containsNoCase(fileName);
}

/// The text indexed for the working folder's ace file names.
IndexedText indexAceNames(std::string text, const ProgramState& state) {
    std::vector<std::string> names;
    for (const std::string& fileName : state.listedFiles())
        if (isAceName(fileName)) names.push_back(fileName);
    return IndexedText(std::move(text), names);
}

/// Reads the s-file, lets `edit` change the text, writes it back.
template <class Edit> Status editSFile(const std::string& path, FileSystem& files, Edit&& edit) {
    auto read = files.readText(path, TextFormat::SystemDefault);
    if (!read) return read.error();
    edit(*read);
    return files.writeUnicodeText(path, *read);
}

} // namespace

Expected<std::string> SetzeEineTextur(const ProgramState& state, const ShapePaths& paths, FileSystem& files) {
    std::string kept;
    const Status written = editSFile(paths.sFile, files, [&](std::string& text) {
        IndexedText indexed = indexAceNames(std::move(text), state);
        for (const std::string& fileName : state.listedFiles()) {
            if (!usesAceFile(indexed, fileName)) continue;
            if (kept.empty()) kept = fileName;
            indexed.replaceEvery(fileName, kept);
        }
        text = std::move(indexed).takeText();
    });
    if (!written) return written.error();
    return kept;
}

Status SetzeShaderDiffuse(const ProgramState& state, const ShapePaths& paths, FileSystem& files) {
    return editSFile(paths.sFile, files, [&](std::string& text) {
        for (const std::string_view shader : kTexturedShaders) replaceEvery(text, shader, kDiffuseShader);
        replaceEvery(text, kAddATexDiffShader, kDiffuseShader);
        IndexedText indexed = indexAceNames(std::move(text), state);
        for (const std::string& fileName : state.listedFiles())
            if (usesAceFile(indexed, fileName)) indexed.replaceEvery(fileName, kDummyTexture);
        text = std::move(indexed).takeText();
    });
}

Status SetzeShaderAddATexDiff(const ShapePaths& paths, FileSystem& files) {
    return editSFile(paths.sFile, files, [](std::string& text) {
        for (const std::string_view shader : kTexturedShaders) replaceEvery(text, shader, kAddATexDiffShader);
    });
}

} // namespace quillfen

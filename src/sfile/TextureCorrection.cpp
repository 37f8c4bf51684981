#include "sfile/TextureCorrection.h"

#include "platform/Text.h"
#include "sfile/IndexedText.h"
#include "sfile/TextSearch.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quillfen {

namespace {

constexpr std::string_view kAceMarker = ".ACE";
constexpr std::string_view kDdsMarker = ".DDS";

/// One of the two correction passes: which files it takes and how it reports.
struct CorrectionPass {
    std::string_view fileMarker;
    TextId logLine; ///< "%1 to %2"
};

const CorrectionPass kAcePass{kAceMarker, TextId::LogCorrectAceName};
const CorrectionPass kDdsPass{kDdsMarker, TextId::LogCorrectDdsName};

/// Removes the entry keyword "image" where it stands before its "(" (blanks
/// or TABs between), and nowhere else: a texture called image.ace or
/// bgimage.ace keeps its name.
std::string removeImageKeywords(const std::string& piece) {
    constexpr std::string_view keyword = "image";
    std::string result;
    result.reserve(piece.size());
    std::size_t start = 0;
    for (std::size_t hit = piece.find(keyword); hit != std::string::npos; hit = piece.find(keyword, start)) {
        const std::size_t after = piece.find_first_not_of(" \t", hit + keyword.size());
        const bool isKeyword = after != std::string::npos && piece[after] == '(';
        result.append(piece, start, hit - start);
        if (!isKeyword) result.append(keyword);
        start = hit + keyword.size();
    }
    result.append(piece, start, std::string::npos);
    return result;
}

/// Splits at single blanks, so that two blanks give an empty name between them.
std::vector<std::string> splitAtBlanks(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t blank = text.find(' '); blank != std::string::npos; blank = text.find(' ', start)) {
        parts.push_back(text.substr(start, blank - start));
        start = blank + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string imageKey(const std::string& imageName) {
    return removeAll(toUpperLatin1(imageName), kAceMarker);
}

/// The first image (1..count) whose key lies inside the texture key; 0 for none.
std::size_t matchingImage(const std::string& textureKey, const std::vector<std::string>& imageKeys,
                          std::size_t count) {
    for (std::size_t j = 1; j <= count; ++j)
        if (imageKeys[j].empty() || textureKey.find(imageKeys[j]) != std::string::npos) return j;
    return 0;
}

/// Renames, for each texture file of the pass, the first image whose name it
/// contains. The image list is the one given, even where an earlier file has
/// already renamed an image, so a later file that matches that old name
/// changes nothing.
void runCorrectionPass(const CorrectionPass& pass, IndexedText& text, const std::vector<std::string>& images,
                       std::size_t count, bool logCorrections, const ProgramState& state, LogSink& log) {
    if (images.empty()) return;
    // A rebuilt list stays as long as the first; the bound only guards the index.
    count = std::min(count, images.size() - 1);
    std::vector<std::string> imageKeys;
    imageKeys.reserve(images.size());
    for (const std::string& image : images) imageKeys.push_back(imageKey(image));

    for (const std::string& fileName : state.listedFiles()) {
        const std::string upperName = toUpperLatin1(fileName);
        if (upperName.find(pass.fileMarker) == std::string::npos) continue;
        const std::size_t j = matchingImage(removeAll(upperName, pass.fileMarker), imageKeys, count);
        if (j == 0) continue;
        const std::size_t replaced = text.replaceEvery(images[j], fileName);
        const bool textNamesFile = (replaced > 0 && !fileName.empty()) || text.contains(fileName);
        if (textNamesFile && logCorrections) log.log(state.text(pass.logLine, {images[j], fileName}));
    }
}

/// The whole number of images the loops run over.
std::size_t imageLoopCount(double imageCount) {
    constexpr double kFarMoreThanAnyFile = 1e9; // keeps the conversion defined; fails the needs check
    if (!(imageCount >= 1.0)) return 0;
    return static_cast<std::size_t>(std::floor(std::min(imageCount, kFarMoreThanAnyFile)));
}

std::optional<double> readBias(const TextureCorrectionChoices& choices) {
    if (auto value = parseLocaleNumber(choices.cmbMipMap, choices.decimalSeparator)) return value;
    return parseLocaleNumber(choices.cmbMipMap, '.');
}

std::string plainTextureEntry(std::size_t index) {
    return "texture ( " + std::to_string(index) + " 0 0 ff000000 )";
}

/// Gives the first plain entry of each texture index below the count the bias.
/// An entry begins with the only "texture" it holds and the bias is a number,
/// so no rewritten entry can make or break another: all are found first and
/// written in one pass over the text instead of one pass per entry.
std::string writeMipmapBias(IndexedText&& indexed, const std::string& bias, std::size_t count) {
    std::vector<std::pair<std::size_t, std::size_t>> entries; // position, index
    for (std::size_t k = 0; k < count; ++k)
        if (const std::size_t at = indexed.findFirst(plainTextureEntry(k)); at != std::string::npos)
            entries.emplace_back(at, k);
    std::sort(entries.begin(), entries.end());
    const std::string text = std::move(indexed).takeText();
    std::string result;
    result.reserve(text.size() + entries.size() * (bias.size() + 4));
    std::size_t start = 0;
    for (const auto& [at, k] : entries) {
        result.append(text, start, at - start);
        result += "texture ( " + std::to_string(k) + " 0 " + bias + " ff000000 )";
        start = at + plainTextureEntry(k).size();
    }
    result.append(text, start, std::string::npos);
    return result;
}

/// Every name the passes search for or replace, so one scan finds them all.
std::vector<std::string> searchedNames(const ProgramState& state, const std::vector<std::string>& images,
                                       std::size_t count, bool withBias) {
    std::vector<std::string> names(images.begin(), images.end());
    const auto listed = state.listedFiles();
    names.insert(names.end(), listed.begin(), listed.end());
    if (withBias)
        for (std::size_t k = 0; k < count; ++k) names.push_back(plainTextureEntry(k));
    return names;
}

/// What the edit needs of a text that names ace textures; checked before anything is changed.
Status checkNeeds(const std::vector<std::string>& images, std::size_t count,
                  const std::optional<double>& bias, const TextureCorrectionChoices& choices,
                  const ProgramState& state, const std::string& path) {
    if (images.empty()) return Error{path, state.text(TextId::ErrorNoImageBlock)};
    const std::size_t listed = images.size() - 1;
    if (count > listed)
        return Error{path,
                     state.text(TextId::ErrorImagesMissing, {std::to_string(count), std::to_string(listed)})};
    if (!bias) return Error{path, state.text(TextId::ErrorMipMapNotNumber, {choices.cmbMipMap})};
    return {};
}

} // namespace

std::vector<std::string> parseImageList(const std::string& text) {
    const std::size_t first = text.find("image (");
    const std::size_t textures = text.find("textures (");
    if (first == std::string::npos || textures == std::string::npos || textures < first) return {};
    std::string piece = removeImageKeywords(text.substr(first, textures - first));
    for (const auto& [from, to] : {std::pair<std::string_view, std::string_view>{")", ""},
                                   {"(", ""},
                                   {"\t", ""},
                                   {"\r", "|"},
                                   {"\n", ""},
                                   {" ", ""},
                                   {"|", " "}})
        piece = replaceAll(piece, from, to);
    return splitAtBlanks(" " + trimBlanks(piece));
}

double readImageCount(const std::string& text) {
    const std::size_t hit = findAsciiNoCase(text, "images (");
    if (hit == std::string::npos) return 0.0;
    // Only the number's own characters are handed on, which spares copying the file.
    const std::size_t start = hit + 8;
    const std::size_t end = text.find_first_not_of(" \t\n+-.0123456789eEdD", start);
    return readLeadingNumber(
        trimBlanks(std::string_view(text).substr(start, end == std::string::npos ? end : end - start)));
}

Status KorrigiereTexturen(const TextureCorrectionChoices& choices, const ProgramState& state,
                          const ShapePaths& paths, FileSystem& files, LogSink& log) {
    const std::string& path = paths.sFile;
    auto read = files.readText(path, TextFormat::SystemDefault);
    if (!read) return read.error();
    std::string& text = *read;

    if (findAsciiNoCase(text, kAceMarker) != std::string::npos) {
        const std::size_t count = imageLoopCount(readImageCount(text));
        const std::vector<std::string> images = parseImageList(text);
        const std::optional<double> bias = readBias(choices);
        if (Status needs = checkNeeds(images, count, bias, choices, state, path); !needs) return needs;

        const bool logCorrections = choices.chkAceUni == 0 && choices.chkShaderDiffuse == 0;
        const bool withBias = *bias != 0.0;
        IndexedText indexed(std::move(text), searchedNames(state, images, count, withBias));
        runCorrectionPass(kAcePass, indexed, images, count, logCorrections, state, log);
        runCorrectionPass(kDdsPass, indexed, parseImageList(indexed.text()), count, logCorrections, state,
                          log);
        text = withBias ? writeMipmapBias(std::move(indexed), choices.cmbMipMap, count)
                        : std::move(indexed).takeText();
    }
    return files.writeUnicodeText(path, text);
}

} // namespace quillfen

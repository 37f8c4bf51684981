#include "run/MissingTextures.h"

#include "platform/Paths.h"
#include "texture/AceFile.h"
#include "texture/Scaling.h"
#include "texture/TextureFile.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace quillfen {
namespace {

constexpr const char* kPictureExtensions[] = {".png", ".bmp", ".tga", ".jpg", ".jpeg"};

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

/// The image entry's file name without folder and extension ("dir\\Door.png" gives "Door").
std::string baseNameOf(const std::string& image) {
    const auto slash = image.find_last_of("/\\");
    std::string name = slash == std::string::npos ? image : image.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string sizeText(const texture::Image& image) {
    return std::to_string(image.width) + " x " + std::to_string(image.height);
}

/// The folder's file names by their lower-case form.
class FolderIndex {
public:
    explicit FolderIndex(const std::vector<std::string>& names) {
        for (const auto& name : names) m_byLowerCase.emplace(lowerCase(name), name);
    }
    [[nodiscard]] const std::string* find(const std::string& name) const {
        const auto found = m_byLowerCase.find(lowerCase(name));
        return found == m_byLowerCase.end() ? nullptr : &found->second;
    }

private:
    std::map<std::string, std::string> m_byLowerCase;
};

/// The picture an image entry can be made from: none where the folder has its ACE or DDS already.
const std::string* pictureFor(const std::string& base, const FolderIndex& folder) {
    if (folder.find(base + ".ace") || folder.find(base + ".dds")) return nullptr;
    for (const char* extension : kPictureExtensions)
        if (const std::string* picture = folder.find(base + extension)) return picture;
    return nullptr;
}

} // namespace

std::vector<MadeTexture> makeMissingTextures(const std::vector<std::string>& imageNames,
                                             const std::vector<std::string>& folderFiles,
                                             const std::string& workingFolder, FileSystem& files,
                                             LogSink& log, Language language) {
    const FolderIndex folder(folderFiles);
    std::set<std::string> done;
    std::vector<MadeTexture> made;
    for (const std::string& image : imageNames) {
        const std::string base = baseNameOf(image);
        if (base.empty() || !done.insert(lowerCase(base)).second) continue;
        const std::string* picture = pictureFor(base, folder);
        if (!picture) continue;
        const std::string ace = base + ".ace";
        const auto failed = [&](const std::string& reason) {
            log.log(text(language, TextId::LogTextureNotMade, {ace, *picture, reason}));
        };
        const auto bytes = files.readBytes(joinPath(workingFolder, *picture));
        if (!bytes) {
            failed(bytes.error().reason);
            continue;
        }
        const auto format = texture::formatOfPath(*picture);
        auto decoded = texture::decodeTexture(*bytes, *format);
        if (!decoded) {
            failed(decoded.error().reason);
            continue;
        }
        texture::Image picturePixels = std::move(decoded.value());
        if (!texture::hasPowerOfTwoSides(picturePixels)) {
            texture::Image scaled = texture::scaledToPowerOfTwo(picturePixels);
            log.log(text(language, TextId::LogTextureScaled,
                         {*picture, sizeText(picturePixels), sizeText(scaled)}));
            picturePixels = std::move(scaled);
        }
        if (Status written =
                files.replaceFile(joinPath(workingFolder, ace), texture::writeAce(picturePixels));
            !written) {
            failed(written.error().reason);
            continue;
        }
        log.log(text(language, TextId::LogTextureMade, {ace, *picture}));
        made.push_back(MadeTexture{*picture, ace});
    }
    return made;
}

} // namespace quillfen

#pragma once
// A folder with a plain name for a conversion whose paths the converter could
// not open: a Windows converter receives its arguments in a single-byte code
// page, and a folder called "Zdeněk Дом" would reach it as "Zden?k ???". The
// converter gets copies of the LOD files here, under names the code page
// holds, and writes its s-file here; the caller moves the s-file out once it
// is complete. Letting go of the folder removes it with everything left in it.

#include "platform/Expected.h"
#include "platform/FileSystem.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillfen {

/// Says whether a text survives the converter's code page (see fitsCodePage).
using FitsCodePage = std::function<bool(std::string_view)>;

/// The system's folder for temporary files (UTF-8), "" when there is none.
[[nodiscard]] std::string temporaryFolder();

/// `name` with every character the code page lacks replaced by "_".
[[nodiscard]] std::string plainName(std::string_view name, const FitsCodePage& fits);

class PlainNameFolder {
public:
    /// Makes a new folder inside `baseFolder` (whose path must fit the code
    /// page) and copies each of `lodPaths` into it. The failure names the path
    /// that could not be used.
    [[nodiscard]] static Expected<PlainNameFolder> make(FileSystem& files, const std::string& baseFolder,
                                                        const std::vector<std::string>& lodPaths,
                                                        const std::string& outputName,
                                                        const FitsCodePage& fits);

    PlainNameFolder(PlainNameFolder&& other) noexcept;
    PlainNameFolder& operator=(PlainNameFolder&&) = delete;
    PlainNameFolder(const PlainNameFolder&) = delete;
    PlainNameFolder& operator=(const PlainNameFolder&) = delete;
    ~PlainNameFolder();

    [[nodiscard]] const std::string& folder() const { return m_folder; }
    /// The copies, in the order of the originals, each name kept where it fits
    /// (the distance before the extension is always kept).
    [[nodiscard]] const std::vector<std::string>& lodPaths() const { return m_lodPaths; }
    /// Where the converter is to write the s-file.
    [[nodiscard]] const std::string& outputPath() const { return m_outputPath; }

private:
    PlainNameFolder(FileSystem& files, std::string folder);
    void removeAll();

    FileSystem* m_files;
    std::string m_folder;
    std::vector<std::string> m_lodPaths;
    std::string m_outputPath;
};

} // namespace quillfen

#pragma once
// The converter's command: the output s-file path, then one 3DS file per level
// of detail, nearest first. The s-file appears at the output path only when it
// is complete, after the one-colour textures beside it; on any failure no file
// appears there and one message says why.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace quillfen::conv3ds {

/// The distance in metres: the run of digits at the end of the file name before
/// its extension ("house_500.3ds" gives 500), or nothing.
[[nodiscard]] std::optional<long> distanceFromFileName(const std::string& path);

/// A file the converter writes beside the s-file.
struct SideFile {
    std::string name; ///< without folder
    std::string bytes;
};

/// Converts the files; returns the s-file's bytes or the failure message.
struct Conversion {
    bool ok = false;
    std::string bytes;              ///< UTF-16LE s-file when ok
    std::string message;            ///< one line naming the file, chunk and byte offset when not ok
    std::vector<SideFile> textures; ///< the one-colour textures of untextured materials
};
[[nodiscard]] Conversion convertFiles(const std::string& outputPath, const std::vector<std::string>& inputs);

/// Runs the whole command line (without the program name) and returns the exit code.
[[nodiscard]] int runConverter(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace quillfen::conv3ds

#pragma once
// The s-file's name: the distance read out of a 3DS file name (which also
// yields the proposed s-file name), the cleaning of a typed name and the
// ".s" ending.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillfen {

/// ErmittleLODEntfernung's answer when the name (without its extension) does
/// not end in a digit.
inline constexpr std::int64_t kLodNoNumber = -1;
/// ... and when it consists of digits only.
inline constexpr std::int64_t kLodOnlyNumber = -2;

/// The 3DS file name without its last four characters (the extension ".3ds"),
/// counted in characters, not bytes; empty for a shorter name.
[[nodiscard]] std::string lodBaseName(std::string_view fileName);

/// The LOD distance of a 3DS file name: the trailing digits of the name once
/// its last four characters are cut off, leading zeros dropped;
/// kLodNoNumber or kLodOnlyNumber as described above. A distance too large
/// for 64 bits reads as the largest 64-bit value, so it still counts as above 0.
/// Side effect: when `proposal` is empty and the distance is above 0, it
/// becomes the text before the digits, trimmed of blanks, followed by ".s".
std::int64_t ErmittleLODEntfernung(std::string_view fileName, std::string& proposal);

/// A typed s-file name made safe: characters a file name cannot hold become
/// "_", and a reserved device-name prefix (CON., COM1., ...) is spelt apart.
struct CleanedFileName {
    std::string text;
    std::size_t caret = 0; ///< where the caret belongs in `text`
};

/// Cleans `text` and moves `caret` with it, so that the caret stays behind
/// the character the user just typed. The caret may count in bytes, characters
/// or UTF-16 units: only ASCII characters are ever replaced or inserted.
[[nodiscard]] CleanedFileName BereinigeDateiName(std::string_view text, std::size_t caret);
[[nodiscard]] std::string BereinigeDateiName(std::string_view text);

/// The name with ".s" appended unless it already ends in ".s" or ".S".
[[nodiscard]] std::string MitEndungS(std::string_view name);

} // namespace quillfen

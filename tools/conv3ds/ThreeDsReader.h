#pragma once
// Reads a whole 3DS file from memory. Every length and index is checked, so a
// damaged file ends in a ReadError instead of a crash, a hang or a huge allocation.

#include "Scene.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>

namespace quillfen::conv3ds {

/// Where and why a 3DS file could not be read.
struct ReadError {
    std::uint16_t chunkId = 0; ///< the chunk being read when it went wrong
    std::size_t offset = 0;    ///< byte offset of that chunk (or of the bad bytes) in the file
    std::string problem;

    /// "chunk 0x4120 (face list) at byte 1234: <problem>"
    [[nodiscard]] std::string message() const;
};

using ReadResult = std::variant<Scene, ReadError>;

[[nodiscard]] ReadResult readThreeDs(std::span<const std::uint8_t> bytes);

} // namespace quillfen::conv3ds

#pragma once
// The example's pictures, drawn by rule, and the one texture format the
// texture library reads but does not write: uncompressed DDS with mipmaps.

#include "texture/Image.h"

#include <string>

namespace quillfen::example {

using texture::Image;

/// An uncompressed 32-bit DDS file (A8R8G8B8) with all mipmaps of a square image.
[[nodiscard]] std::string ddsFile(const Image& image);

[[nodiscard]] Image brickWall(int size);
[[nodiscard]] Image roofTiles(int size);
[[nodiscard]] Image windowPane(int size);
/// A wooden door of planks; width x height need not be powers of two.
[[nodiscard]] Image doorPlanks(int width, int height);

} // namespace quillfen::example

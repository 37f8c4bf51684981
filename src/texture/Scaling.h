#pragma once
// Sizes the engines accept: both sides a power of two. Non-conforming sides are
// resampled to the nearest power of two, no longer than a limit.

#include "texture/Image.h"

namespace quillfen::texture {

/// The longest side a texture made from an ordinary image gets.
inline constexpr int kMaxMadeSide = 2048;

/// The power of two nearest to `side` (the greater one on a tie), at most `limit`.
[[nodiscard]] int nearestPowerOfTwo(int side, int limit = kMaxMadeSide);

[[nodiscard]] bool hasPowerOfTwoSides(const Image& image);

/// The image with every side that is not a power of two resampled to the nearest one.
[[nodiscard]] Image scaledToPowerOfTwo(const Image& image, int limit = kMaxMadeSide);

/// The next mipmap level: half the size (at least 1), each pixel the mean of the pixels it covers.
[[nodiscard]] Image halved(const Image& image);

} // namespace quillfen::texture

#include "texture/Scaling.h"

#include "texture/StbLibraries.h"

#include <algorithm>

namespace quillfen::texture {

int nearestPowerOfTwo(int side, int limit) {
    int lower = 1;
    while (lower * 2 <= side && lower * 2 <= limit) lower *= 2;
    const int upper = lower * 2;
    if (upper > limit || side <= lower) return lower;
    return upper - side <= side - lower ? upper : lower;
}

bool hasPowerOfTwoSides(const Image& image) {
    return isPowerOfTwo(image.width) && isPowerOfTwo(image.height);
}

Image scaledToPowerOfTwo(const Image& image, int limit) {
    const int width = isPowerOfTwo(image.width) ? image.width : nearestPowerOfTwo(image.width, limit);
    const int height = isPowerOfTwo(image.height) ? image.height : nearestPowerOfTwo(image.height, limit);
    if (width == image.width && height == image.height) return image;
    return resized(image, width, height);
}

Image halved(const Image& image) {
    Image half(std::max(1, image.width / 2), std::max(1, image.height / 2));
    const int stepX = image.width > 1 ? 2 : 1, stepY = image.height > 1 ? 2 : 1;
    for (int y = 0; y < half.height; ++y)
        for (int x = 0; x < half.width; ++x) {
            int sum[4] = {0, 0, 0, 0};
            for (int dy = 0; dy < stepY; ++dy)
                for (int dx = 0; dx < stepX; ++dx) {
                    const Rgba& p = image.at(x * stepX + dx, y * stepY + dy);
                    sum[0] += p.r, sum[1] += p.g, sum[2] += p.b, sum[3] += p.a;
                }
            const int count = stepX * stepY;
            const auto mean = [&](int total) {
                return static_cast<std::uint8_t>((total + count / 2) / count);
            };
            half.at(x, y) = Rgba{mean(sum[0]), mean(sum[1]), mean(sum[2]), mean(sum[3])};
        }
    return half;
}

} // namespace quillfen::texture

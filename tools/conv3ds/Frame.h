#pragma once
// An object's frame in the simulator's coordinates: a rotation (rows are the
// object's axes) and an origin. A point is a row vector: world = local * rotation + origin.

#include "Scene.h"
#include "Shape.h"

#include <array>
#include <optional>

namespace quillfen::conv3ds {

using Vec3d = std::array<double, 3>;

/// 3DS (x, y, z) with Z up becomes the simulator's (x, z, y) with Y up.
[[nodiscard]] inline Vec3d toYUp(const Vec3& v) {
    return {static_cast<double>(v.x), static_cast<double>(v.z), static_cast<double>(v.y)};
}

struct Frame {
    std::array<Vec3d, 3> rows{Vec3d{1, 0, 0}, Vec3d{0, 1, 0}, Vec3d{0, 0, 1}};
    Vec3d origin{0, 0, 0};

    /// The frame of a 3DS local matrix. A matrix that is not a pure rotation
    /// (scaled, mirrored, sheared or damaged) keeps only its origin, so that
    /// the points written relative to it still land where the 3DS file has them.
    [[nodiscard]] static Frame fromLocalMatrix(const std::optional<LocalMatrix>& matrix);

    [[nodiscard]] Vec3d toLocal(const Vec3d& world) const;
    /// This frame as seen from `parent`: the values of the s-file matrix.
    [[nodiscard]] MatrixValues relativeTo(const Frame& parent) const;
};

} // namespace quillfen::conv3ds

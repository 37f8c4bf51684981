#include "Frame.h"

#include <cmath>

namespace quillfen::conv3ds {
namespace {

constexpr double kTolerance = 1e-3;

double dot(const Vec3d& a, const Vec3d& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Vec3d cross(const Vec3d& a, const Vec3d& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

bool isRotation(const std::array<Vec3d, 3>& rows) {
    for (int i = 0; i < 3; ++i) {
        if (std::abs(dot(rows[i], rows[i]) - 1.0) > kTolerance) return false;
        for (int j = i + 1; j < 3; ++j)
            if (std::abs(dot(rows[i], rows[j])) > kTolerance) return false;
    }
    return dot(cross(rows[0], rows[1]), rows[2]) > 0; // not mirrored
}

bool allFinite(const LocalMatrix& matrix) {
    for (const float value : matrix)
        if (!std::isfinite(value)) return false;
    return true;
}

/// (v - origin) times the transposed rotation: the inverse of a rotation is its transpose.
Vec3d intoFrame(const Vec3d& v, const std::array<Vec3d, 3>& rows, const Vec3d& origin) {
    const Vec3d d{v[0] - origin[0], v[1] - origin[1], v[2] - origin[2]};
    return {dot(d, rows[0]), dot(d, rows[1]), dot(d, rows[2])};
}

} // namespace

Frame Frame::fromLocalMatrix(const std::optional<LocalMatrix>& matrix) {
    Frame frame;
    if (!matrix || !allFinite(*matrix)) return frame;
    const auto& m = *matrix;
    // The 3DS rows are the X, Y, Z axes; swapping Y and Z on both sides moves
    // the rotation into the Y-up system (S * R * S with S the swap).
    const std::array<Vec3, 3> axes{Vec3{m[0], m[1], m[2]}, Vec3{m[6], m[7], m[8]}, Vec3{m[3], m[4], m[5]}};
    std::array<Vec3d, 3> rows{toYUp(axes[0]), toYUp(axes[1]), toYUp(axes[2])};
    if (isRotation(rows)) frame.rows = rows;
    frame.origin = toYUp(Vec3{m[9], m[10], m[11]});
    return frame;
}

Vec3d Frame::toLocal(const Vec3d& world) const {
    return intoFrame(world, rows, origin);
}

MatrixValues Frame::relativeTo(const Frame& parent) const {
    MatrixValues values{};
    for (int i = 0; i < 3; ++i) {
        // Each axis, expressed in the parent's axes (no translation for directions).
        const Vec3d axis = intoFrame(rows[i], parent.rows, Vec3d{0, 0, 0});
        for (int j = 0; j < 3; ++j)
            values[static_cast<std::size_t>(i * 3 + j)] = axis[static_cast<std::size_t>(j)];
    }
    const Vec3d offset = parent.toLocal(origin);
    for (int j = 0; j < 3; ++j) values[static_cast<std::size_t>(9 + j)] = offset[static_cast<std::size_t>(j)];
    return values;
}

} // namespace quillfen::conv3ds

#include "SmoothNormals.h"

#include <algorithm>

namespace quillfen::conv3ds {
namespace {

/// The summed face normals of one vertex for one smoothing mask.
struct MaskSum {
    std::uint32_t mask = 0;
    Vec3d sum{0, 0, 0};
};

// A vertex rarely sees more than a few distinct masks; past this many, new
// masks are folded into an overlapping entry so that the work stays linear.
constexpr std::size_t kMaxMasksPerVertex = 32;

void add(Vec3d& to, const Vec3d& v) {
    for (std::size_t i = 0; i < 3; ++i) to[i] += v[i];
}

Vec3d faceNormal(const Face& face, const std::vector<Vec3d>& p) {
    // In Y-up coordinates the corners run a, c, b; (c - a) x (b - a) points out of the face.
    const Vec3d& a = p[face.a];
    const Vec3d& b = p[face.b];
    const Vec3d& c = p[face.c];
    const Vec3d u{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    const Vec3d v{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

void addToVertex(std::vector<MaskSum>& sums, std::uint32_t mask, const Vec3d& normal) {
    auto same = std::find_if(sums.begin(), sums.end(), [&](const MaskSum& s) { return s.mask == mask; });
    if (same == sums.end() && sums.size() >= kMaxMasksPerVertex)
        same = std::find_if(sums.begin(), sums.end(), [&](const MaskSum& s) { return (s.mask & mask) != 0; });
    if (same == sums.end() && sums.size() >= kMaxMasksPerVertex) same = sums.end() - 1;
    if (same == sums.end()) {
        sums.push_back(MaskSum{mask, normal});
        return;
    }
    add(same->sum, normal);
}

Vec3d smoothed(const std::vector<MaskSum>& sums, std::uint32_t mask) {
    Vec3d total{0, 0, 0};
    for (const auto& s : sums)
        if ((s.mask & mask) != 0) add(total, s.sum);
    return total;
}

} // namespace

MeshNormals computeNormals(const Mesh& mesh, const std::vector<Vec3d>& points) {
    MeshNormals normals;
    normals.face.reserve(mesh.faces.size());
    for (const Face& face : mesh.faces) normals.face.push_back(faceNormal(face, points));

    const auto maskOf = [&](std::size_t f) { return mesh.smoothing.empty() ? 0u : mesh.smoothing[f]; };
    std::vector<std::vector<MaskSum>> perVertex(points.size());
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
        const std::uint32_t mask = maskOf(f);
        if (mask == 0) continue;
        const Face& face = mesh.faces[f];
        addToVertex(perVertex[face.a], mask, normals.face[f]);
        if (face.b != face.a) addToVertex(perVertex[face.b], mask, normals.face[f]);
        if (face.c != face.a && face.c != face.b) addToVertex(perVertex[face.c], mask, normals.face[f]);
    }

    normals.corner.resize(mesh.faces.size() * 3);
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
        const std::uint32_t mask = maskOf(f);
        const Face& face = mesh.faces[f];
        const std::array<std::uint16_t, 3> corners{face.a, face.b, face.c};
        for (std::size_t k = 0; k < 3; ++k)
            normals.corner[f * 3 + k] = mask == 0 ? normals.face[f] : smoothed(perVertex[corners[k]], mask);
    }
    return normals;
}

} // namespace quillfen::conv3ds

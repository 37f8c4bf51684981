#pragma once
// Normals of a mesh: one per face, and one per face corner that averages the
// faces around the corner's vertex sharing a smoothing group with the face.

#include "Frame.h"
#include "Scene.h"

#include <vector>

namespace quillfen::conv3ds {

struct MeshNormals {
    std::vector<Vec3d> face;   ///< not normalised (length = twice the area)
    std::vector<Vec3d> corner; ///< three per face, in the file's corner order a, b, c
};

/// `points` are the mesh's vertices in the simulator's coordinates (Y up).
[[nodiscard]] MeshNormals computeNormals(const Mesh& mesh, const std::vector<Vec3d>& points);

} // namespace quillfen::conv3ds

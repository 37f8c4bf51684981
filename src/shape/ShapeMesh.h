#pragma once
// One distance level of a shape made ready to draw: every vertex moved through
// its matrix chain into the shape's frame, triangles gathered per primitive
// state, and how each primitive state is drawn. Coordinates stay the
// simulator's (x right, y up, z forward, left-handed); a renderer mirrors z.

#include "shape/Shape.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillfen::shape {

struct MeshVertex {
    Vector3 position;
    Vector3 normal;
    TexturePoint uv;
};

/// How the engines draw a primitive state: shaders named BlendATex* blend with
/// what lies behind; others are opaque, with pixels under the alpha reference
/// dropped where the state asks for an alpha test.
enum class BlendMode { Opaque, AlphaTest, AlphaBlend };

struct MeshMaterial {
    std::string image; ///< the image file named by the state's first texture; empty when untextured
    BlendMode blend = BlendMode::Opaque;
};

/// Triangles drawn with one material, as a range of the mesh's indices.
struct MeshBatch {
    std::size_t material = 0;
    std::size_t firstIndex = 0;
    std::size_t indexCount = 0;
};

struct Box {
    Vector3 min;
    Vector3 max;
    bool empty = true;

    void add(const Vector3& point);
    [[nodiscard]] Vector3 size() const;
    [[nodiscard]] Vector3 centre() const;
};

struct LevelMesh {
    std::vector<MeshVertex> vertices;
    std::vector<std::uint32_t> indices;
    std::vector<MeshBatch> batches; ///< opaque batches first, then alpha-tested, then blended
    Box box;                        ///< of the vertices that triangles use
};

/// One material per primitive state of the shape, in its order.
[[nodiscard]] std::vector<MeshMaterial> meshMaterials(const Shape& shape);

/// The mesh of distance level `level` (an index into shape.distanceLevels).
[[nodiscard]] LevelMesh buildLevelMesh(const Shape& shape, std::size_t level,
                                       const std::vector<MeshMaterial>& materials);

/// The matrices of a level as placed in the shape: each multiplied with its
/// parents', root last.
[[nodiscard]] std::vector<ShapeMatrix> placedMatrices(const Shape& shape, const DistanceLevel& level);

/// A point moved by a matrix (a row vector times the 3x3 part, plus the translation).
[[nodiscard]] Vector3 transformPoint(const Vector3& point, const ShapeMatrix& matrix);

/// The facts the view shows about a level.
struct ShapeFacts {
    std::size_t points = 0;    ///< of the shape
    std::size_t triangles = 0; ///< of the level
    std::size_t subObjects = 0;
};
[[nodiscard]] ShapeFacts shapeFacts(const Shape& shape, std::size_t level);

/// The level shown at a camera distance, as the engine chooses it: the first
/// (nearest) level whose selection distance reaches that far; beyond the last,
/// the last.
[[nodiscard]] std::size_t levelForDistance(const Shape& shape, float distance);

} // namespace quillfen::shape

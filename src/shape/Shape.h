#pragma once
// A shape as the simulator reads it: shared tables (points, texture coordinates,
// normals, matrices, images, textures, shaders, vertex and primitive states)
// and its distance levels, each with its own hierarchy and sub-objects. Every
// index in a Shape that ShapeReader returns lies inside its table.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quillfen::shape {

struct Vector3 {
    float x = 0.0F;
    float y = 0.0F;
    float z = 0.0F;

    bool operator==(const Vector3&) const = default;
};

struct TexturePoint {
    float u = 0.0F;
    float v = 0.0F;

    bool operator==(const TexturePoint&) const = default;
};

/// A named matrix: m[0..8] three rows of three, m[9..11] the translation. A point
/// is a row vector multiplied from the left.
struct ShapeMatrix {
    std::string name;
    std::array<float, 12> m{};

    bool operator==(const ShapeMatrix&) const = default;
};

struct ShapeTexture {
    int image = 0;
    int filterMode = 0;
    float mipmapBias = 0.0F;
    std::uint32_t borderColour = 0;

    bool operator==(const ShapeTexture&) const = default;
};

struct VertexState {
    std::uint32_t flags = 0;
    int matrix = 0;
    int lightMaterial = 0;
    int lightConfig = 0;
    std::uint32_t lightFlags = 0;

    bool operator==(const VertexState&) const = default;
};

struct PrimState {
    std::string name;
    std::uint32_t flags = 0;
    int shader = 0;
    std::vector<int> textures;
    float zBias = 0.0F;
    int vertexState = 0;
    int alphaTestMode = 0;
    int lightConfig = 0;
    int zBufferMode = 0;

    bool operator==(const PrimState&) const = default;
};

struct ShapeVertex {
    int point = 0;
    int normal = 0;
    int texturePoint = -1; ///< the first of its texture coordinates; -1 without one

    bool operator==(const ShapeVertex&) const = default;
};

struct VertexSet {
    int vertexState = 0;
    int firstVertex = 0;
    int vertexCount = 0;

    bool operator==(const VertexSet&) const = default;
};

/// Triangles drawn with one primitive state: three vertex indices each.
struct TriangleList {
    int primState = 0;
    std::vector<std::uint32_t> vertexIndices;

    bool operator==(const TriangleList&) const = default;
};

struct SubObject {
    std::vector<ShapeVertex> vertices;
    std::vector<VertexSet> vertexSets;
    std::vector<TriangleList> triangleLists;

    bool operator==(const SubObject&) const = default;
};

struct DistanceLevel {
    float selection = 0.0F;     ///< the distance in metres up to which this level is shown
    std::vector<int> hierarchy; ///< per matrix its parent, -1 for the root
    std::vector<SubObject> subObjects;

    bool operator==(const DistanceLevel&) const = default;
};

struct Shape {
    std::vector<std::string> shaders;
    std::vector<std::string> filterModes;
    std::vector<Vector3> points;
    std::vector<TexturePoint> texturePoints;
    std::vector<Vector3> normals;
    std::vector<ShapeMatrix> matrices;
    std::vector<std::string> images;
    std::vector<ShapeTexture> textures;
    std::vector<VertexState> vertexStates;
    std::vector<PrimState> primStates;
    std::vector<DistanceLevel> distanceLevels; ///< all levels of every level control, in file order

    bool operator==(const Shape&) const = default;
};

} // namespace quillfen::shape

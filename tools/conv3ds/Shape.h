#pragma once
// The content of an s-file as the converter builds it, in the simulator's
// coordinates (Y up), before it is written out as text.

#include "Scene.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quillfen::conv3ds {

/// Rows of the rotation (m0..m8), then the translation (m9..m11); a point is a row vector times it.
using MatrixValues = std::array<double, 12>;

struct ShapeMatrix {
    std::string name;
    MatrixValues values{};
    int parent = -1; ///< index of the parent matrix, -1 for the root
};

struct Rgba8 {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;
};

/// A texture of one colour that the converter writes beside the s-file.
struct ColourTexture {
    std::string image; ///< the name in the s-file's images
    Rgba8 colour;
};

struct PrimState {
    std::string name;
    int shader = 0;
    int texture = 0; ///< index into the images
    int vtxState = 0;
};

struct ShapeVertex {
    std::uint32_t point = 0;
    std::uint32_t normal = 0;
    std::uint32_t uv = 0;
    std::uint32_t colour = 0xffffffff; ///< ARGB
};

/// One indexed triangle list: three vertex indices and one face normal per triangle.
struct Primitive {
    int primState = 0;
    std::vector<std::uint32_t> vertexIndices;
    std::vector<std::uint32_t> faceNormals;
};

struct VertexSet {
    int vtxState = 0;
    std::uint32_t first = 0;
    std::uint32_t count = 0;
};

struct Sphere {
    Vec3 centre;
    float radius = 0;
};

struct SubObject {
    int sortVector = 0;
    int volume = 0;
    int matrix = 0;
    std::vector<int> shaders; ///< the distinct shaders its primitives use
    std::vector<ShapeVertex> vertices;
    std::vector<VertexSet> vertexSets;
    std::vector<Primitive> primitives;
};

struct DistanceLevel {
    long distance = 0;
    std::vector<SubObject> subObjects;
};

struct Shape {
    std::vector<std::string> shaders;
    std::vector<Vec3> points;
    std::vector<std::array<float, 2>> uvPoints;
    std::vector<Vec3> normals;
    std::vector<Vec3> sortVectors;
    std::vector<Sphere> volumes;
    std::vector<ShapeMatrix> matrices;
    std::vector<std::string> images;
    std::vector<ColourTexture> colourTextures; ///< the one-colour textures among the images
    std::vector<int> vtxStateMatrix;           ///< one vertex state per matrix
    std::vector<PrimState> primStates;
    std::vector<DistanceLevel> levels;
};

} // namespace quillfen::conv3ds

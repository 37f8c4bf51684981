#include "shape/ShapeMesh.h"

#include <algorithm>
#include <cmath>

namespace quillfen::shape {

namespace {

/// a * b for matrices that move row vectors: first a, then b.
ShapeMatrix multiply(const ShapeMatrix& a, const ShapeMatrix& b) {
    ShapeMatrix result;
    result.name = a.name;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            float sum = 0.0F;
            for (int k = 0; k < 3; ++k) sum += a.m[row * 3 + k] * b.m[k * 3 + column];
            result.m[static_cast<std::size_t>(row * 3 + column)] = sum;
        }
    const Vector3 translation = transformPoint({a.m[9], a.m[10], a.m[11]}, b);
    result.m[9] = translation.x;
    result.m[10] = translation.y;
    result.m[11] = translation.z;
    return result;
}

Vector3 rotate(const Vector3& v, const ShapeMatrix& matrix) {
    const auto& m = matrix.m;
    return {v.x * m[0] + v.y * m[3] + v.z * m[6], v.x * m[1] + v.y * m[4] + v.z * m[7],
            v.x * m[2] + v.y * m[5] + v.z * m[8]};
}

Vector3 normalised(const Vector3& v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length <= 0.0F) return {0.0F, 1.0F, 0.0F};
    return {v.x / length, v.y / length, v.z / length};
}

int blendOrder(BlendMode mode) {
    return mode == BlendMode::Opaque ? 0 : mode == BlendMode::AlphaTest ? 1 : 2;
}

/// The matrix of each vertex of a sub-object: the one of the vertex state of the
/// vertex set it belongs to; matrix 0 for vertices outside every set.
std::vector<int> vertexMatrices(const Shape& shape, const SubObject& object) {
    std::vector<int> matrices(object.vertices.size(), 0);
    for (const VertexSet& set : object.vertexSets) {
        const int matrix = shape.vertexStates[static_cast<std::size_t>(set.vertexState)].matrix;
        std::fill_n(matrices.begin() + set.firstVertex, set.vertexCount, matrix);
    }
    return matrices;
}

/// Where the triangles of each primitive state go in the mesh's indices: the
/// states in drawing order (opaque, alpha-tested, blended), each with its range.
std::vector<MeshBatch> batchesOf(const DistanceLevel& level, const std::vector<MeshMaterial>& materials) {
    std::vector<std::size_t> counts(materials.size(), 0);
    for (const SubObject& object : level.subObjects)
        for (const TriangleList& list : object.triangleLists)
            counts[static_cast<std::size_t>(list.primState)] += list.vertexIndices.size();
    std::vector<std::size_t> order(materials.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return blendOrder(materials[a].blend) < blendOrder(materials[b].blend);
    });
    std::vector<MeshBatch> batches;
    std::size_t first = 0;
    for (const std::size_t state : order) {
        if (counts[state] == 0) continue;
        batches.push_back({state, first, 0});
        first += counts[state];
    }
    return batches;
}

void addVertices(const Shape& shape, const SubObject& object, const std::vector<ShapeMatrix>& placed,
                 LevelMesh& mesh) {
    const std::vector<int> matrices = vertexMatrices(shape, object);
    for (std::size_t i = 0; i < object.vertices.size(); ++i) {
        const ShapeVertex& vertex = object.vertices[i];
        MeshVertex out;
        const Vector3& point = shape.points[static_cast<std::size_t>(vertex.point)];
        const Vector3& normal = shape.normals[static_cast<std::size_t>(vertex.normal)];
        if (placed.empty()) {
            out.position = point;
            out.normal = normalised(normal);
        } else {
            const ShapeMatrix& matrix = placed[static_cast<std::size_t>(matrices[i])];
            out.position = transformPoint(point, matrix);
            out.normal = normalised(rotate(normal, matrix));
        }
        if (vertex.texturePoint >= 0)
            out.uv = shape.texturePoints[static_cast<std::size_t>(vertex.texturePoint)];
        mesh.vertices.push_back(out);
    }
}

} // namespace

void Box::add(const Vector3& point) {
    if (empty) {
        min = max = point;
        empty = false;
        return;
    }
    min = {std::min(min.x, point.x), std::min(min.y, point.y), std::min(min.z, point.z)};
    max = {std::max(max.x, point.x), std::max(max.y, point.y), std::max(max.z, point.z)};
}

Vector3 Box::size() const {
    return {max.x - min.x, max.y - min.y, max.z - min.z};
}

Vector3 Box::centre() const {
    return {(min.x + max.x) / 2, (min.y + max.y) / 2, (min.z + max.z) / 2};
}

Vector3 transformPoint(const Vector3& point, const ShapeMatrix& matrix) {
    const Vector3 rotated = rotate(point, matrix);
    return {rotated.x + matrix.m[9], rotated.y + matrix.m[10], rotated.z + matrix.m[11]};
}

std::vector<ShapeMatrix> placedMatrices(const Shape& shape, const DistanceLevel& level) {
    std::vector<ShapeMatrix> placed;
    placed.reserve(shape.matrices.size());
    for (std::size_t i = 0; i < shape.matrices.size(); ++i) {
        // The reader has made sure that every chain ends at a root.
        ShapeMatrix matrix = shape.matrices[i];
        for (int parent = level.hierarchy[i]; parent >= 0;
             parent = level.hierarchy[static_cast<std::size_t>(parent)])
            matrix = multiply(matrix, shape.matrices[static_cast<std::size_t>(parent)]);
        placed.push_back(matrix);
    }
    return placed;
}

std::vector<MeshMaterial> meshMaterials(const Shape& shape) {
    std::vector<MeshMaterial> materials;
    for (const PrimState& state : shape.primStates) {
        MeshMaterial material;
        if (!state.textures.empty()) {
            const ShapeTexture& texture = shape.textures[static_cast<std::size_t>(state.textures.front())];
            material.image = shape.images[static_cast<std::size_t>(texture.image)];
        }
        const std::string& shader = shape.shaders[static_cast<std::size_t>(state.shader)];
        if (shader.rfind("BlendATex", 0) == 0)
            material.blend = BlendMode::AlphaBlend;
        else if (state.alphaTestMode != 0)
            material.blend = BlendMode::AlphaTest;
        materials.push_back(std::move(material));
    }
    return materials;
}

LevelMesh buildLevelMesh(const Shape& shape, std::size_t level, const std::vector<MeshMaterial>& materials) {
    LevelMesh mesh;
    const DistanceLevel& distanceLevel = shape.distanceLevels.at(level);
    const std::vector<ShapeMatrix> placed = placedMatrices(shape, distanceLevel);
    mesh.batches = batchesOf(distanceLevel, materials);
    std::vector<MeshBatch*> batchOfState(materials.size(), nullptr);
    std::size_t vertexCount = 0;
    for (MeshBatch& batch : mesh.batches) {
        batchOfState[batch.material] = &batch;
    }
    std::size_t indexCount = 0;
    for (const SubObject& object : distanceLevel.subObjects) {
        vertexCount += object.vertices.size();
        for (const TriangleList& list : object.triangleLists) indexCount += list.vertexIndices.size();
    }
    mesh.vertices.reserve(vertexCount);
    mesh.indices.resize(indexCount);
    for (const SubObject& object : distanceLevel.subObjects) {
        const auto base = static_cast<std::uint32_t>(mesh.vertices.size());
        addVertices(shape, object, placed, mesh);
        for (const TriangleList& list : object.triangleLists) {
            MeshBatch& batch = *batchOfState[static_cast<std::size_t>(list.primState)];
            std::uint32_t* out = mesh.indices.data() + batch.firstIndex + batch.indexCount;
            for (const std::uint32_t index : list.vertexIndices) {
                *out++ = base + index;
                mesh.box.add(mesh.vertices[base + index].position);
            }
            batch.indexCount += list.vertexIndices.size();
        }
    }
    return mesh;
}

ShapeFacts shapeFacts(const Shape& shape, std::size_t level) {
    ShapeFacts facts;
    facts.points = shape.points.size();
    const DistanceLevel& distanceLevel = shape.distanceLevels.at(level);
    facts.subObjects = distanceLevel.subObjects.size();
    for (const SubObject& object : distanceLevel.subObjects)
        for (const TriangleList& list : object.triangleLists)
            facts.triangles += list.vertexIndices.size() / 3;
    return facts;
}

std::size_t levelForDistance(const Shape& shape, float distance) {
    for (std::size_t i = 0; i < shape.distanceLevels.size(); ++i)
        if (distance <= shape.distanceLevels[i].selection) return i;
    return shape.distanceLevels.empty() ? 0 : shape.distanceLevels.size() - 1;
}

} // namespace quillfen::shape

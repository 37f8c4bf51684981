#include "ThreeDsWriter.h"

#include "ChunkIds.h"

#include <bit>
#include <cmath>

namespace quillfen::conv3ds {
namespace {

void writeMesh(ChunkWriter& w, const Mesh& mesh) {
    w.begin(chunk::kObject);
    w.cstring(mesh.name);
    w.begin(chunk::kTriangleMesh);
    w.begin(chunk::kVertexList);
    w.u16(static_cast<std::uint16_t>(mesh.vertices.size()));
    for (const auto& v : mesh.vertices) w.vec3(v);
    w.end();
    if (!mesh.uvs.empty()) {
        w.begin(chunk::kMappingCoords);
        w.u16(static_cast<std::uint16_t>(mesh.uvs.size()));
        for (const auto& uv : mesh.uvs) {
            w.f32(uv[0]);
            w.f32(uv[1]);
        }
        w.end();
    }
    if (mesh.localMatrix) {
        w.begin(chunk::kLocalMatrix);
        for (const float value : *mesh.localMatrix) w.f32(value);
        w.end();
    }
    w.begin(chunk::kFaceList);
    w.u16(static_cast<std::uint16_t>(mesh.faces.size()));
    for (const auto& face : mesh.faces) {
        w.u16(face.a);
        w.u16(face.b);
        w.u16(face.c);
        w.u16(face.flags);
    }
    for (const auto& group : mesh.groups) {
        w.begin(chunk::kFaceMaterial);
        w.cstring(group.material);
        w.u16(static_cast<std::uint16_t>(group.faces.size()));
        for (const auto face : group.faces) w.u16(face);
        w.end();
    }
    if (!mesh.smoothing.empty()) {
        w.begin(chunk::kSmoothingGroups);
        for (const auto mask : mesh.smoothing) w.u32(mask);
        w.end();
    }
    w.end(); // face list
    w.end(); // triangle mesh
    w.end(); // object
}

void writeMaterial(ChunkWriter& w, const Material& material) {
    w.begin(chunk::kMaterial);
    w.textChunk(chunk::kMaterialName, material.name);
    w.begin(chunk::kDiffuse);
    w.begin(chunk::kColorByte);
    for (const float channel : {material.diffuse.r, material.diffuse.g, material.diffuse.b})
        w.u8(static_cast<std::uint8_t>(std::lround(channel * 255.0f)));
    w.end();
    w.end();
    w.begin(chunk::kTransparency);
    w.begin(chunk::kPercentInt);
    w.u16(static_cast<std::uint16_t>(std::lround(material.transparency * 100.0f)));
    w.end();
    w.end();
    if (material.twoSided) {
        w.begin(chunk::kTwoSided);
        w.end();
    }
    if (!material.textureFile.empty()) {
        w.begin(chunk::kTextureMap);
        w.begin(chunk::kPercentInt);
        w.u16(100);
        w.end();
        w.textChunk(chunk::kMapFileName, material.textureFile);
        w.end();
    }
    w.end();
}

void writeNode(ChunkWriter& w, const Node& node) {
    w.begin(node.isObjectNode ? chunk::kObjectNode : chunk::kCameraNode);
    w.begin(chunk::kNodeId);
    w.u16(node.id);
    w.end();
    w.begin(chunk::kNodeHeader);
    w.cstring(node.name);
    w.u16(0);
    w.u16(0);
    w.u16(node.parentId);
    w.end();
    if (!node.instanceName.empty()) w.textChunk(chunk::kInstanceName, node.instanceName);
    w.begin(chunk::kPivot);
    w.vec3(node.pivot);
    w.end();
    w.end();
}

} // namespace

void ChunkWriter::begin(std::uint16_t id) {
    m_open.push_back(m_bytes.size());
    u16(id);
    u32(0); // the length, filled in by end()
}

void ChunkWriter::end() {
    const std::size_t start = m_open.back();
    m_open.pop_back();
    const auto length = static_cast<std::uint32_t>(m_bytes.size() - start);
    for (std::size_t i = 0; i < 4; ++i) m_bytes[start + 2 + i] = static_cast<std::uint8_t>(length >> (8 * i));
}

void ChunkWriter::u16(std::uint16_t value) {
    m_bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ChunkWriter::u32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) m_bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void ChunkWriter::f32(float value) {
    u32(std::bit_cast<std::uint32_t>(value));
}

void ChunkWriter::vec3(const Vec3& v) {
    f32(v.x);
    f32(v.y);
    f32(v.z);
}

void ChunkWriter::cstring(const std::string& text) {
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    m_bytes.push_back(0);
}

void ChunkWriter::textChunk(std::uint16_t id, const std::string& text) {
    begin(id);
    cstring(text);
    end();
}

std::vector<std::uint8_t> writeThreeDs(const Scene& scene) {
    ChunkWriter w;
    w.begin(chunk::kMain);
    w.begin(chunk::kVersion);
    w.u32(3);
    w.end();
    w.begin(chunk::kEditor);
    for (const auto& material : scene.materials) writeMaterial(w, material);
    for (const auto& mesh : scene.meshes) writeMesh(w, mesh);
    w.end();
    if (!scene.nodes.empty()) {
        w.begin(chunk::kKeyframer);
        for (const auto& node : scene.nodes) writeNode(w, node);
        w.end();
    }
    w.end();
    return w.bytes();
}

} // namespace quillfen::conv3ds

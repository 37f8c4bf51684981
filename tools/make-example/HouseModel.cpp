#include "HouseModel.h"

#include <cmath>
#include <string>

namespace quillfen::example {
namespace {

using conv3ds::Face;
using conv3ds::LocalMatrix;
using conv3ds::Material;
using conv3ds::Mesh;
using conv3ds::Node;
using conv3ds::Rgb;
using conv3ds::Scene;
using conv3ds::Vec3;

// 3DS coordinates, metres, Z up: the house is 8 m along X, 6 m along Y,
// walls 3 m high, the ridge 5 m high and running along X.
constexpr float kHalfLength = 4.0f;
constexpr float kHalfDepth = 3.0f;
constexpr float kWallHeight = 3.0f;
constexpr float kRidgeHeight = 5.0f;
// Texture repeats once per this many metres.
constexpr float kTextureMetres = 2.0f;

Vec3 plus(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

float length(Vec3 v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

/// A rectangle with corners o, o+right, o+right+up, o+up; it faces right x up.
void addQuad(Mesh& mesh, Vec3 o, Vec3 right, Vec3 up, bool tiled = true) {
    const auto base = static_cast<std::uint16_t>(mesh.vertices.size());
    mesh.vertices.insert(mesh.vertices.end(), {o, plus(o, right), plus(plus(o, right), up), plus(o, up)});
    const float u = tiled ? length(right) / kTextureMetres : 1.0f;
    const float v = tiled ? length(up) / kTextureMetres : 1.0f;
    mesh.uvs.insert(mesh.uvs.end(), {{0.0f, 0.0f}, {u, 0.0f}, {u, v}, {0.0f, v}});
    mesh.faces.push_back(
        Face{base, static_cast<std::uint16_t>(base + 1), static_cast<std::uint16_t>(base + 2), 7});
    mesh.faces.push_back(
        Face{base, static_cast<std::uint16_t>(base + 2), static_cast<std::uint16_t>(base + 3), 7});
}

void addTriangle(Mesh& mesh, Vec3 a, Vec3 b, Vec3 c) {
    const auto base = static_cast<std::uint16_t>(mesh.vertices.size());
    mesh.vertices.insert(mesh.vertices.end(), {a, b, c});
    mesh.uvs.insert(mesh.uvs.end(), {{0.0f, 0.0f}, {3.0f, 0.0f}, {1.5f, 1.0f}});
    mesh.faces.push_back(
        Face{base, static_cast<std::uint16_t>(base + 1), static_cast<std::uint16_t>(base + 2), 7});
}

/// Puts every face of the mesh into one material group and one smoothing group.
void finish(Mesh& mesh, const std::string& material, std::uint32_t smoothing) {
    conv3ds::MaterialGroup group{material, {}};
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) group.faces.push_back(static_cast<std::uint16_t>(f));
    mesh.groups.push_back(group);
    mesh.smoothing.assign(mesh.faces.size(), smoothing);
}

LocalMatrix frameAt(Vec3 origin) {
    return {1, 0, 0, 0, 1, 0, 0, 0, 1, origin.x, origin.y, origin.z};
}

Mesh walls() {
    Mesh mesh;
    mesh.name = "Walls";
    const float l = kHalfLength, d = kHalfDepth, h = kWallHeight;
    addQuad(mesh, {-l, -d, 0}, {2 * l, 0, 0}, {0, 0, h});              // front, facing -Y
    addQuad(mesh, {l, d, 0}, {-2 * l, 0, 0}, {0, 0, h});               // back, facing +Y
    addQuad(mesh, {l, -d, 0}, {0, 2 * d, 0}, {0, 0, h});               // right end, facing +X
    addQuad(mesh, {-l, d, 0}, {0, -2 * d, 0}, {0, 0, h});              // left end, facing -X
    addTriangle(mesh, {l, -d, h}, {l, d, h}, {l, 0, kRidgeHeight});    // right gable
    addTriangle(mesh, {-l, d, h}, {-l, -d, h}, {-l, 0, kRidgeHeight}); // left gable
    finish(mesh, "Wall", 1);
    mesh.localMatrix = frameAt({0, 0, 0});
    return mesh;
}

Mesh roof(float overhang) {
    Mesh mesh;
    mesh.name = "Roof";
    const float l = kHalfLength + overhang;
    const float d = kHalfDepth + overhang;
    // The slope falls by (ridge - wall) over the half depth; the overhang continues it.
    const float eave = kWallHeight - overhang * (kRidgeHeight - kWallHeight) / kHalfDepth;
    const float rise = kRidgeHeight - eave;
    addQuad(mesh, {-l, -d, eave}, {2 * l, 0, 0}, {0, d, rise}); // front slope
    addQuad(mesh, {l, d, eave}, {-2 * l, 0, 0}, {0, -d, rise}); // back slope
    finish(mesh, "Roof", 2);
    mesh.localMatrix = frameAt({0, 0, kWallHeight});
    return mesh;
}

Mesh chimney() {
    Mesh mesh;
    mesh.name = "Chimney";
    const Vec3 low{1.7f, 1.2f, 3.5f};
    const float w = 0.6f, h = 2.6f;
    addQuad(mesh, low, {w, 0, 0}, {0, 0, h}, false);
    addQuad(mesh, {low.x + w, low.y + w, low.z}, {-w, 0, 0}, {0, 0, h}, false);
    addQuad(mesh, {low.x + w, low.y, low.z}, {0, w, 0}, {0, 0, h}, false);
    addQuad(mesh, {low.x, low.y + w, low.z}, {0, -w, 0}, {0, 0, h}, false);
    addQuad(mesh, {low.x, low.y, low.z + h}, {w, 0, 0}, {0, w, 0}, false); // top
    finish(mesh, "Brick", 4);
    mesh.localMatrix = frameAt(low);
    return mesh;
}

Mesh windows() {
    Mesh mesh;
    mesh.name = "Windows";
    const float out = kHalfDepth + 0.01f; // just in front of the wall
    for (const float x : {-2.5f, 1.3f}) {
        addQuad(mesh, {x, -out, 1.0f}, {1.2f, 0, 0}, {0, 0, 1.0f}, false);        // front
        addQuad(mesh, {x + 1.2f, out, 1.0f}, {-1.2f, 0, 0}, {0, 0, 1.0f}, false); // back
    }
    finish(mesh, "TransWindow", 0);
    mesh.localMatrix = frameAt({0, 0, 1.0f});
    return mesh;
}

Mesh door() {
    Mesh mesh;
    mesh.name = "Door";
    const Vec3 hinge{-0.5f, -(kHalfDepth + 0.02f), 0.0f};
    addQuad(mesh, hinge, {1.0f, 0, 0}, {0, 0, 2.1f}, false);
    finish(mesh, "Door", 0);
    mesh.localMatrix = frameAt(hinge); // the door turns about its hinge
    return mesh;
}

Material material(const std::string& name, Rgb diffuse, const std::string& texture, float transparency = 0.0f,
                  bool twoSided = false) {
    return Material{name, diffuse, texture, transparency, twoSided};
}

Node node(std::uint16_t id, const std::string& name, std::uint16_t parent = Node::kNoParent) {
    Node n;
    n.id = id;
    n.name = name;
    n.parentId = parent;
    n.isObjectNode = true;
    return n;
}

} // namespace

Scene nearHouse() {
    Scene scene;
    scene.materials = {material("Wall", {0.9f, 0.85f, 0.75f}, "wall.bmp"),
                       material("Roof", {0.6f, 0.2f, 0.15f}, "roof.bmp", 0.0f, true),
                       material("Brick", {0.55f, 0.25f, 0.2f}, ""),
                       material("TransWindow", {0.7f, 0.8f, 0.9f}, "window.bmp", 0.3f),
                       material("Door", {0.4f, 0.25f, 0.1f}, "door.png")};
    scene.meshes = {walls(), roof(0.3f), chimney(), windows(), door()};
    scene.nodes = {node(0, "Walls"), node(1, "Roof"), node(2, "Chimney", 1), node(3, "Windows", 0),
                   node(4, "Door", 0)};
    return scene;
}

Scene farHouse() {
    Scene scene;
    scene.materials = {material("Wall", {0.9f, 0.85f, 0.75f}, "wall.bmp"),
                       material("Roof", {0.6f, 0.2f, 0.15f}, "roof.bmp")};
    scene.meshes = {walls(), roof(0.0f)};
    scene.nodes = {node(0, "Walls"), node(1, "Roof")};
    return scene;
}

} // namespace quillfen::example

#include "ShapeBuilder.h"

#include "Frame.h"
#include "SmoothNormals.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <unordered_map>

namespace quillfen::conv3ds {
namespace {

// A sub-object's vertices are numbered with 16 bits in the engines' index buffers.
constexpr std::size_t kMaxSubObjectVertices = 65535;

bool startsWithNoCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

Vec3 toFloat(const Vec3d& v) {
    return Vec3{static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
}

std::uint32_t argbOf(const Material& material) {
    const auto channel = [](float value) {
        const float clamped = std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 0.0f;
        return static_cast<std::uint32_t>(std::lround(clamped * 255.0f));
    };
    return channel(1.0f - material.transparency) << 24 | channel(material.diffuse.r) << 16 |
           channel(material.diffuse.g) << 8 | channel(material.diffuse.b);
}

/// An axis-aligned box that grows point by point; gives the sphere around it.
struct Extent {
    Vec3d low{0, 0, 0};
    Vec3d high{0, 0, 0};
    bool empty = true;

    void add(const Vec3d& p) {
        for (std::size_t i = 0; i < 3; ++i) {
            low[i] = empty ? p[i] : std::min(low[i], p[i]);
            high[i] = empty ? p[i] : std::max(high[i], p[i]);
        }
        empty = false;
    }
    [[nodiscard]] Sphere sphere() const {
        const Vec3d centre{(low[0] + high[0]) / 2, (low[1] + high[1]) / 2, (low[2] + high[2]) / 2};
        const Vec3d half{high[0] - centre[0], high[1] - centre[1], high[2] - centre[2]};
        const double radius = std::sqrt(half[0] * half[0] + half[1] * half[1] + half[2] * half[2]);
        return Sphere{toFloat(centre), static_cast<float>(radius)};
    }
};

struct VertexKey {
    std::uint32_t point;
    std::uint32_t normal;
    std::uint32_t uv;
    bool operator==(const VertexKey&) const = default;
};

struct VertexKeyHash {
    std::size_t operator()(const VertexKey& key) const {
        std::uint64_t h = key.point;
        h = h * 0x9E3779B97F4A7C15ULL ^ key.normal;
        h = h * 0x9E3779B97F4A7C15ULL ^ key.uv;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

struct NormalKey {
    std::int32_t x, y, z;
    bool operator==(const NormalKey&) const = default;
};

struct NormalKeyHash {
    std::size_t operator()(const NormalKey& key) const {
        std::uint64_t h = static_cast<std::uint32_t>(key.x);
        h = h * 0x9E3779B97F4A7C15ULL ^ static_cast<std::uint32_t>(key.y);
        h = h * 0x9E3779B97F4A7C15ULL ^ static_cast<std::uint32_t>(key.z);
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

/// The look-ups of one 3DS scene: objects and nodes by name, materials by name.
struct SceneIndex {
    explicit SceneIndex(const Scene& source) : scene(source) {
        for (std::size_t i = 0; i < scene.meshes.size(); ++i) meshByName.emplace(scene.meshes[i].name, i);
        for (std::size_t i = 0; i < scene.nodes.size(); ++i)
            if (scene.nodes[i].isObjectNode) nodeByName.emplace(scene.nodes[i].name, i);
        for (const auto& material : scene.materials) materialByName.emplace(material.name, &material);
    }

    /// The nearest keyframer ancestor of an object that is itself a mesh, or nullptr.
    [[nodiscard]] const Mesh* meshParent(const Mesh& mesh) const {
        const auto node = nodeByName.find(mesh.name);
        if (node == nodeByName.end()) return nullptr;
        auto parent = scene.nodes[node->second].parentIndex;
        while (parent) { // the reader has rejected cycles
            const Node& candidate = scene.nodes[*parent];
            if (candidate.isObjectNode) {
                const auto found = meshByName.find(candidate.name);
                if (found != meshByName.end() && found->second != meshIndex(mesh))
                    return &scene.meshes[found->second];
            }
            parent = candidate.parentIndex;
        }
        return nullptr;
    }

    [[nodiscard]] std::size_t meshIndex(const Mesh& mesh) const {
        return static_cast<std::size_t>(&mesh - scene.meshes.data());
    }

    [[nodiscard]] const Material& material(const std::string& name) const {
        static const Material fallback{"Default", Rgb{}, "", 0.0f, false};
        const auto found = materialByName.find(name);
        return found == materialByName.end() ? fallback : *found->second;
    }

    const Scene& scene;
    std::unordered_map<std::string, std::size_t> meshByName;
    std::unordered_map<std::string, std::size_t> nodeByName;
    std::unordered_map<std::string, const Material*> materialByName;
};

class Builder {
public:
    explicit Builder(const std::string& modelName) {
        ShapeMatrix root;
        root.name = tokenName(modelName.empty() ? std::string("shape") : modelName);
        root.values = Frame{}.relativeTo(Frame{});
        m_shape.matrices.push_back(root);
        m_frames.emplace_back();
        m_shape.vtxStateMatrix.push_back(0);
        m_shape.volumes.emplace_back(); // the whole shape's sphere, filled in at the end
    }

    void addLevel(const LevelInput& input) {
        const SceneIndex index(*input.scene);
        DistanceLevel level;
        level.distance = input.distance;
        for (const Mesh& mesh : input.scene->meshes) {
            const int matrix = matrixFor(mesh, index);
            if (mesh.faces.empty()) continue;
            for (auto& sub : buildSubObjects(mesh, index, matrix)) level.subObjects.push_back(std::move(sub));
        }
        m_shape.levels.push_back(std::move(level));
    }

    Shape finish() {
        Sphere& whole = m_shape.volumes[0];
        whole = m_whole.sphere();
        for (std::size_t i = 1; i < m_shape.volumes.size(); ++i) {
            const Sphere& part = m_shape.volumes[i];
            const double dx = part.centre.x - whole.centre.x, dy = part.centre.y - whole.centre.y,
                         dz = part.centre.z - whole.centre.z;
            whole.radius = std::max(whole.radius,
                                    static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz) + part.radius));
        }
        return std::move(m_shape);
    }

private:
    /// The matrix of an object, created with those of its mesh ancestors; an
    /// object of a later level reuses the matrix of the same name.
    int matrixFor(const Mesh& mesh, const SceneIndex& index) {
        std::vector<const Mesh*> chain; // the object, then its ancestors without a matrix yet
        int parentMatrix = 0;
        for (const Mesh* current = &mesh; current; current = index.meshParent(*current)) {
            const auto known = m_matrixByName.find(tokenName(current->name));
            if (known != m_matrixByName.end()) {
                parentMatrix = known->second;
                break;
            }
            if (std::find(chain.begin(), chain.end(), current) != chain.end())
                break; // two objects of one name
            chain.push_back(current);
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) parentMatrix = addMatrix(**it, parentMatrix);
        return parentMatrix;
    }

    int addMatrix(const Mesh& mesh, int parent) {
        const Frame frame = Frame::fromLocalMatrix(mesh.localMatrix);
        ShapeMatrix matrix;
        matrix.name = tokenName(mesh.name);
        matrix.parent = parent;
        matrix.values = frame.relativeTo(m_frames[static_cast<std::size_t>(parent)]);
        const int index = static_cast<int>(m_shape.matrices.size());
        m_shape.matrices.push_back(matrix);
        m_frames.push_back(frame);
        m_shape.vtxStateMatrix.push_back(index);
        m_matrixByName.emplace(matrix.name, index);
        return index;
    }

    /// A sub-object being filled, with the box around its vertices.
    struct Part {
        SubObject sub;
        Extent extent;
    };

    /// The object's sub-objects: one, or several where its vertices would pass
    /// what a 16-bit index reaches. Triangles stay whole; every part keeps the
    /// object's matrix and prim_states.
    std::vector<SubObject> buildSubObjects(const Mesh& mesh, const SceneIndex& index, int matrix) {
        const Frame& frame = m_frames[static_cast<std::size_t>(matrix)];
        std::vector<Vec3d> local(mesh.vertices.size());
        for (std::size_t i = 0; i < mesh.vertices.size(); ++i)
            local[i] = frame.toLocal(toYUp(mesh.vertices[i]));
        const auto pointBase = static_cast<std::uint32_t>(m_shape.points.size());
        for (const auto& p : local) m_shape.points.push_back(toFloat(p));
        const std::uint32_t uvBase = addUvs(mesh);
        const MeshNormals normals = computeNormals(mesh, local);

        std::vector<SubObject> parts;
        Part part;
        part.sub.matrix = matrix;
        for (const auto& [materialName, faces] : facesByMaterial(mesh)) {
            const Material& material = index.material(materialName);
            Primitive primitive;
            primitive.primState = primStateFor(material, matrix);
            std::unordered_map<VertexKey, std::uint32_t, VertexKeyHash> vertexIndex;
            const std::uint32_t colour = argbOf(material);
            for (const std::size_t f : faces) {
                const Face& face = mesh.faces[f];
                // The swap of Y and Z mirrors the model, so the winding turns round with it.
                const std::array<std::uint16_t, 3> corners{face.a, face.c, face.b};
                for (int side = 0; side < (material.twoSided ? 2 : 1); ++side) {
                    const double sign = side == 0 ? 1.0 : -1.0;
                    std::array<VertexKey, 3> keys{};
                    std::array<std::uint16_t, 3> points{};
                    for (std::size_t k = 0; k < 3; ++k) {
                        points[k] = corners[side == 0 ? k : 2 - k];
                        const Vec3d n = scaled(normals.corner[f * 3 + cornerSlot(face, points[k])], sign);
                        keys[k] = VertexKey{pointBase + points[k], addNormal(n),
                                            mesh.uvs.empty() ? uvBase : uvBase + points[k]};
                    }
                    if (part.sub.vertices.size() + newVertices(keys, vertexIndex) > kMaxSubObjectVertices) {
                        closePrimitive(part.sub, primitive);
                        parts.push_back(finishPart(part));
                        part = Part{};
                        part.sub.matrix = matrix;
                        vertexIndex.clear();
                    }
                    for (std::size_t k = 0; k < 3; ++k) {
                        const auto [it, added] = vertexIndex.emplace(keys[k], 0);
                        if (added) {
                            it->second = static_cast<std::uint32_t>(part.sub.vertices.size());
                            part.sub.vertices.push_back(
                                ShapeVertex{keys[k].point, keys[k].normal, keys[k].uv, colour});
                            part.extent.add(frameToWorld(frame, local[points[k]]));
                        }
                        primitive.vertexIndices.push_back(it->second);
                    }
                    primitive.faceNormals.push_back(addNormal(scaled(normals.face[f], sign)));
                }
            }
            closePrimitive(part.sub, primitive);
        }
        parts.push_back(finishPart(part));
        return parts;
    }

    /// How many of a triangle's corners the sub-object does not have yet.
    static std::size_t newVertices(const std::array<VertexKey, 3>& keys,
                                   const std::unordered_map<VertexKey, std::uint32_t, VertexKeyHash>& known) {
        std::size_t count = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            const bool repeated = (k > 0 && keys[k] == keys[0]) || (k > 1 && keys[k] == keys[1]);
            if (!repeated && !known.contains(keys[k])) ++count;
        }
        return count;
    }

    /// Moves a primitive with triangles into the sub-object and leaves an empty one of the same prim_state.
    void closePrimitive(SubObject& sub, Primitive& primitive) {
        if (!primitive.faceNormals.empty()) {
            addShader(sub, m_shape.primStates[static_cast<std::size_t>(primitive.primState)].shader);
            sub.primitives.push_back(std::move(primitive));
        }
        primitive = Primitive{primitive.primState, {}, {}};
    }

    SubObject finishPart(Part& part) {
        part.sub.vertexSets.push_back(
            VertexSet{part.sub.matrix, 0, static_cast<std::uint32_t>(part.sub.vertices.size())});
        placeInVolumes(part.sub, part.extent);
        return std::move(part.sub);
    }

    static Vec3d frameToWorld(const Frame& frame, const Vec3d& p) {
        Vec3d world = frame.origin;
        for (std::size_t i = 0; i < 3; ++i)
            for (std::size_t j = 0; j < 3; ++j) world[j] += p[i] * frame.rows[i][j];
        return world;
    }

    /// Which corner (0, 1, 2 in the file's order a, b, c) of a face a vertex is.
    static std::size_t cornerSlot(const Face& face, std::uint16_t v) {
        if (v == face.a) return 0;
        return v == face.b ? 1 : 2;
    }

    static Vec3d scaled(const Vec3d& v, double factor) {
        return {v[0] * factor, v[1] * factor, v[2] * factor};
    }

    /// The faces of each material in order of first use; faces of no group use the default material.
    static std::vector<std::pair<std::string, std::vector<std::size_t>>> facesByMaterial(const Mesh& mesh) {
        std::vector<int> groupOfFace(mesh.faces.size(), -1);
        for (std::size_t g = 0; g < mesh.groups.size(); ++g)
            for (const std::uint16_t f : mesh.groups[g].faces)
                if (groupOfFace[f] < 0) groupOfFace[f] = static_cast<int>(g);
        std::vector<std::pair<std::string, std::vector<std::size_t>>> result;
        std::map<std::string, std::size_t> slot;
        for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
            const std::string name = groupOfFace[f] < 0
                                         ? std::string()
                                         : mesh.groups[static_cast<std::size_t>(groupOfFace[f])].material;
            const auto [it, added] = slot.emplace(name, result.size());
            if (added) result.emplace_back(name, std::vector<std::size_t>{});
            result[it->second].second.push_back(f);
        }
        return result;
    }

    std::uint32_t addUvs(const Mesh& mesh) {
        if (mesh.uvs.empty()) return sharedZeroUv();
        const auto base = static_cast<std::uint32_t>(m_shape.uvPoints.size());
        // 3DS counts v upwards from the bottom of the texture, the simulator downwards from the top.
        for (std::size_t i = 0; i < mesh.vertices.size(); ++i)
            m_shape.uvPoints.push_back({mesh.uvs[i][0], 1.0f - mesh.uvs[i][1]});
        return base;
    }

    std::uint32_t sharedZeroUv() {
        if (!m_zeroUv) {
            m_zeroUv = static_cast<std::uint32_t>(m_shape.uvPoints.size());
            m_shape.uvPoints.push_back({0.0f, 0.0f});
        }
        return *m_zeroUv;
    }

    std::uint32_t addNormal(const Vec3d& n) {
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        Vec3d unit{0, 1, 0}; // a degenerate triangle points up
        if (std::isfinite(length) && length > 0) unit = scaled(n, 1.0 / length);
        const auto quantise = [](double value) {
            return static_cast<std::int32_t>(std::lround(value * 1e5));
        };
        const NormalKey key{quantise(unit[0]), quantise(unit[1]), quantise(unit[2])};
        const auto [it, added] =
            m_normalIndex.emplace(key, static_cast<std::uint32_t>(m_shape.normals.size()));
        if (added)
            m_shape.normals.push_back(Vec3{static_cast<float>(key.x / 1e5), static_cast<float>(key.y / 1e5),
                                           static_cast<float>(key.z / 1e5)});
        return it->second;
    }

    int primStateFor(const Material& material, int vtxState) {
        const auto key = std::make_pair(material.name, vtxState);
        const auto known = m_primStateIndex.find(key);
        if (known != m_primStateIndex.end()) return known->second;
        PrimState state;
        state.name = tokenName(material.name);
        state.shader = shaderIndex(shaderFor(material));
        state.texture = imageIndex(material.textureFile.empty() ? colourTextureFor(material)
                                                                : imageNameFor(material.textureFile));
        state.vtxState = vtxState;
        const int index = static_cast<int>(m_shape.primStates.size());
        m_shape.primStates.push_back(state);
        m_primStateIndex.emplace(key, index);
        return index;
    }

    /// The image of the one-colour texture that carries an untextured material's colour.
    std::string colourTextureFor(const Material& material) {
        const std::uint32_t argb = argbOf(material);
        const Rgba8 rgba{static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                         static_cast<std::uint8_t>(argb), static_cast<std::uint8_t>(argb >> 24)};
        std::string image = colourTextureName(rgba);
        const bool known = std::any_of(m_shape.colourTextures.begin(), m_shape.colourTextures.end(),
                                       [&](const ColourTexture& texture) { return texture.image == image; });
        if (!known) m_shape.colourTextures.push_back(ColourTexture{image, rgba});
        return image;
    }

    int shaderIndex(const std::string& shader) { return indexIn(m_shape.shaders, shader); }
    int imageIndex(const std::string& image) { return indexIn(m_shape.images, image); }

    static int indexIn(std::vector<std::string>& list, const std::string& value) {
        const auto found = std::find(list.begin(), list.end(), value);
        if (found != list.end()) return static_cast<int>(found - list.begin());
        list.push_back(value);
        return static_cast<int>(list.size() - 1);
    }

    static void addShader(SubObject& sub, int shader) {
        if (std::find(sub.shaders.begin(), sub.shaders.end(), shader) == sub.shaders.end())
            sub.shaders.push_back(shader);
    }

    void placeInVolumes(SubObject& sub, const Extent& extent) {
        const Sphere sphere = extent.sphere();
        sub.sortVector = static_cast<int>(m_shape.sortVectors.size());
        m_shape.sortVectors.push_back(sphere.centre);
        sub.volume = static_cast<int>(m_shape.volumes.size());
        m_shape.volumes.push_back(sphere);
        if (!extent.empty) {
            m_whole.add(extent.low);
            m_whole.add(extent.high);
        }
    }

    Shape m_shape;
    std::vector<Frame> m_frames; ///< world frame of each matrix
    std::unordered_map<std::string, int> m_matrixByName;
    std::map<std::pair<std::string, int>, int> m_primStateIndex;
    std::unordered_map<NormalKey, std::uint32_t, NormalKeyHash> m_normalIndex;
    std::optional<std::uint32_t> m_zeroUv;
    Extent m_whole;
};

} // namespace

std::string shaderFor(const Material& material) {
    if (startsWithNoCase(material.name, "Trans") || startsWithNoCase(material.name, "Alph"))
        return "BlendATexDiff";
    // An untextured material's transparency lives in the alpha of its colour texture.
    if (material.textureFile.empty() && argbOf(material) >> 24 != 0xFF) return "BlendATexDiff";
    return "TexDiff";
}

std::string colourTextureName(const Rgba8& colour) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string name = "qf_colour_";
    for (const std::uint8_t channel : {colour.r, colour.g, colour.b, colour.a}) {
        name += kDigits[channel >> 4];
        name += kDigits[channel & 0xF];
    }
    return name + ".ace";
}

std::string imageNameFor(const std::string& textureFile) {
    const auto dot = textureFile.find_last_of('.');
    const auto slash = textureFile.find_last_of("/\\");
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? textureFile.substr(0, dot) : textureFile) + ".ace";
}

std::string tokenName(const std::string& name) {
    std::string token = name.empty() ? std::string("unnamed") : name;
    for (char& c : token)
        if (static_cast<unsigned char>(c) <= ' ' || c == '(' || c == ')' || c == '"') c = '_';
    return token;
}

Shape buildShape(const std::vector<LevelInput>& levels, const std::string& modelName) {
    Builder builder(modelName);
    for (const auto& level : levels) builder.addLevel(level);
    return builder.finish();
}

} // namespace quillfen::conv3ds

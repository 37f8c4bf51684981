#include "ThreeDsReader.h"

#include "ChunkIds.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <unordered_map>
#include <utility>

namespace quillfen::conv3ds {
namespace {

constexpr std::size_t kHeaderSize = 6;

/// Thrown inside the reader only; readThreeDs turns it into a ReadError.
struct Failure {
    ReadError error;
};

[[noreturn]] void fail(std::uint16_t chunkId, std::size_t offset, std::string problem) {
    throw Failure{ReadError{chunkId, offset, std::move(problem)}};
}

/// A chunk's place in the file: header at `start`, data from `data` to `end`.
struct Span {
    std::uint16_t id = 0;
    std::size_t start = 0;
    std::size_t data = 0;
    std::size_t end = 0;
};

/// Reads little-endian values from one chunk's data, never past its end.
class Cursor {
public:
    Cursor(std::span<const std::uint8_t> file, const Span& chunk)
        : m_file(file), m_chunk(chunk), m_pos(chunk.data) {}

    [[nodiscard]] std::size_t position() const { return m_pos; }
    [[nodiscard]] std::size_t remaining() const { return m_chunk.end - m_pos; }

    std::uint16_t u16() {
        need(2, "a 16-bit number");
        const auto value = static_cast<std::uint16_t>(m_file[m_pos] | (m_file[m_pos + 1] << 8));
        m_pos += 2;
        return value;
    }
    std::uint32_t u32() {
        need(4, "a 32-bit number");
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = (value << 8) | m_file[m_pos + static_cast<std::size_t>(i)];
        m_pos += 4;
        return value;
    }
    float f32() { return std::bit_cast<float>(u32()); }
    std::uint8_t u8() {
        need(1, "a byte");
        return m_file[m_pos++];
    }
    Vec3 vec3() {
        Vec3 v;
        v.x = f32();
        v.y = f32();
        v.z = f32();
        return v;
    }
    /// A zero-terminated name that must end inside the chunk.
    std::string cstring() {
        const auto* begin = m_file.data() + m_pos;
        const auto* end = m_file.data() + m_chunk.end;
        const auto* zero = std::find(begin, end, std::uint8_t{0});
        if (zero == end) fail(m_chunk.id, m_pos, "name is not terminated inside its chunk");
        std::string text(begin, zero);
        m_pos += text.size() + 1;
        return text;
    }
    /// A record count whose records (recordSize bytes each) must fit in the chunk.
    std::size_t count(std::size_t recordSize, const char* what) {
        const std::size_t n = u16();
        if (n * recordSize > remaining())
            fail(m_chunk.id, m_chunk.start,
                 std::to_string(n) + " " + what + " need " + std::to_string(n * recordSize) +
                     " bytes but the chunk holds only " + std::to_string(remaining()));
        return n;
    }

private:
    void need(std::size_t bytes, const char* what) const {
        if (remaining() < bytes)
            fail(m_chunk.id, m_pos, std::string("chunk ends where ") + what + " was expected");
    }

    std::span<const std::uint8_t> m_file;
    Span m_chunk;
    std::size_t m_pos;
};

/// Where each table of a mesh was read, so that later index checks can name it.
struct MeshOffsets {
    std::size_t vertices = 0;
    std::size_t faces = 0;
    std::size_t uvs = 0;
    std::size_t smoothing = 0;
    std::vector<std::size_t> groups;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> file) : m_file(file) {}

    Scene read() {
        const Span main = topChunk();
        forEachChild(main, main.data, [&](const Span& child) {
            if (child.id == chunk::kEditor) readEditor(child);
            if (child.id == chunk::kKeyframer) readKeyframer(child);
        });
        resolveNodeParents();
        return std::move(m_scene);
    }

private:
    Span topChunk() const {
        if (m_file.size() < kHeaderSize)
            fail(chunk::kMain, 0,
                 "file is shorter than one chunk header (" + std::to_string(m_file.size()) + " bytes)");
        const Span main = spanAt(0);
        if (main.id != chunk::kMain)
            fail(main.id, 0, "not a 3DS file: it does not start with the main chunk");
        const std::size_t length = main.end - main.start;
        if (length < kHeaderSize)
            fail(main.id, 0, "chunk length " + std::to_string(length) + " is too short");
        if (main.end > m_file.size())
            fail(main.id, 0,
                 "file is truncated: the main chunk claims " + std::to_string(length) +
                     " bytes, the file has " + std::to_string(m_file.size()));
        return main;
    }

    /// The header at `offset`; its end may still lie beyond the file (callers check).
    Span spanAt(std::size_t offset) const {
        Span span;
        span.id = static_cast<std::uint16_t>(m_file[offset] | (m_file[offset + 1] << 8));
        std::uint32_t length = 0;
        for (std::size_t i = 5; i >= 2; --i) length = (length << 8) | m_file[offset + i];
        span.start = offset;
        span.data = offset + kHeaderSize;
        span.end = offset + length;
        return span;
    }

    /// Calls visit for every child chunk from `from` to the parent's end.
    template <class Visit> void forEachChild(const Span& parent, std::size_t from, Visit&& visit) const {
        std::size_t pos = from;
        while (pos < parent.end) {
            if (parent.end - pos < kHeaderSize)
                fail(parent.id, pos, "a chunk header is cut off at the end of its parent");
            const Span child = spanAt(pos);
            const std::size_t length = child.end - child.start;
            if (length < kHeaderSize)
                fail(child.id, pos, "chunk length " + std::to_string(length) + " is shorter than its header");
            if (length > parent.end - pos)
                fail(child.id, pos,
                     "chunk claims " + std::to_string(length) + " bytes but its parent " +
                         chunk::describe(parent.id) + " has only " + std::to_string(parent.end - pos) +
                         " left");
            visit(child);
            pos = child.end;
        }
    }

    void readEditor(const Span& editor) {
        forEachChild(editor, editor.data, [&](const Span& child) {
            if (child.id == chunk::kObject) readObject(child);
            if (child.id == chunk::kMaterial) readMaterial(child);
        });
    }

    void readObject(const Span& object) {
        Cursor cursor(m_file, object);
        const std::string name = cursor.cstring();
        forEachChild(object, cursor.position(), [&](const Span& child) {
            if (child.id == chunk::kTriangleMesh) readMesh(child, name);
        });
    }

    void readMesh(const Span& meshChunk, const std::string& name) {
        Mesh mesh;
        mesh.name = name;
        MeshOffsets offsets;
        forEachChild(meshChunk, meshChunk.data, [&](const Span& child) {
            switch (child.id) {
            case chunk::kVertexList:
                readVertices(child, mesh, offsets);
                break;
            case chunk::kFaceList:
                readFaces(child, mesh, offsets);
                break;
            case chunk::kMappingCoords:
                readMapping(child, mesh, offsets);
                break;
            case chunk::kLocalMatrix:
                readLocalMatrix(child, mesh);
                break;
            default:
                break;
            }
        });
        checkMesh(mesh, offsets);
        m_scene.meshes.push_back(std::move(mesh));
    }

    void readVertices(const Span& span, Mesh& mesh, MeshOffsets& offsets) const {
        Cursor cursor(m_file, span);
        const std::size_t n = cursor.count(12, "vertices");
        mesh.vertices.resize(n);
        for (auto& vertex : mesh.vertices) vertex = cursor.vec3();
        offsets.vertices = span.start;
    }

    void readFaces(const Span& span, Mesh& mesh, MeshOffsets& offsets) const {
        Cursor cursor(m_file, span);
        const std::size_t n = cursor.count(8, "faces");
        mesh.faces.resize(n);
        for (auto& face : mesh.faces) {
            face.a = cursor.u16();
            face.b = cursor.u16();
            face.c = cursor.u16();
            face.flags = cursor.u16();
        }
        offsets.faces = span.start;
        forEachChild(span, cursor.position(), [&](const Span& child) {
            if (child.id == chunk::kFaceMaterial) readFaceMaterial(child, mesh, offsets);
            if (child.id == chunk::kSmoothingGroups) readSmoothing(child, mesh, offsets);
        });
    }

    void readFaceMaterial(const Span& span, Mesh& mesh, MeshOffsets& offsets) const {
        Cursor cursor(m_file, span);
        MaterialGroup group;
        group.material = cursor.cstring();
        const std::size_t n = cursor.count(2, "face numbers");
        group.faces.resize(n);
        for (auto& face : group.faces) face = cursor.u16();
        mesh.groups.push_back(std::move(group));
        offsets.groups.push_back(span.start);
    }

    void readSmoothing(const Span& span, Mesh& mesh, MeshOffsets& offsets) const {
        Cursor cursor(m_file, span);
        const std::size_t n = mesh.faces.size();
        if (cursor.remaining() < n * 4)
            fail(span.id, span.start,
                 "smoothing groups for " + std::to_string(n) + " faces need " + std::to_string(n * 4) +
                     " bytes but the chunk holds only " + std::to_string(cursor.remaining()));
        mesh.smoothing.resize(n);
        for (auto& mask : mesh.smoothing) mask = cursor.u32();
        offsets.smoothing = span.start;
    }

    void readMapping(const Span& span, Mesh& mesh, MeshOffsets& offsets) const {
        Cursor cursor(m_file, span);
        const std::size_t n = cursor.count(8, "mapping coordinates");
        mesh.uvs.resize(n);
        for (auto& uv : mesh.uvs) {
            uv[0] = cursor.f32();
            uv[1] = cursor.f32();
        }
        offsets.uvs = span.start;
    }

    void readLocalMatrix(const Span& span, Mesh& mesh) const {
        Cursor cursor(m_file, span);
        LocalMatrix matrix{};
        for (auto& value : matrix) value = cursor.f32();
        mesh.localMatrix = matrix;
    }

    static void checkMesh(const Mesh& mesh, const MeshOffsets& offsets) {
        const std::size_t vertexCount = mesh.vertices.size();
        for (std::size_t i = 0; i < mesh.faces.size(); ++i) {
            const Face& face = mesh.faces[i];
            const std::uint16_t largest = std::max({face.a, face.b, face.c});
            if (largest >= vertexCount)
                fail(chunk::kFaceList, offsets.faces,
                     "object '" + mesh.name + "': face " + std::to_string(i) + " uses vertex " +
                         std::to_string(largest) + " but the object has " + std::to_string(vertexCount) +
                         " vertices");
        }
        for (std::size_t g = 0; g < mesh.groups.size(); ++g)
            for (const std::uint16_t face : mesh.groups[g].faces)
                if (face >= mesh.faces.size())
                    fail(chunk::kFaceMaterial, offsets.groups[g],
                         "object '" + mesh.name + "': material group '" + mesh.groups[g].material +
                             "' names face " + std::to_string(face) + " but the object has " +
                             std::to_string(mesh.faces.size()) + " faces");
        if (!mesh.uvs.empty() && mesh.uvs.size() < vertexCount)
            fail(chunk::kMappingCoords, offsets.uvs,
                 "object '" + mesh.name + "' has " + std::to_string(mesh.uvs.size()) +
                     " mapping coordinates for " + std::to_string(vertexCount) + " vertices");
        if (!mesh.smoothing.empty() && mesh.smoothing.size() != mesh.faces.size())
            fail(chunk::kSmoothingGroups, offsets.smoothing,
                 "object '" + mesh.name + "' has smoothing groups for " +
                     std::to_string(mesh.smoothing.size()) + " faces but " +
                     std::to_string(mesh.faces.size()) + " faces");
    }

    void readMaterial(const Span& span) {
        Material material;
        forEachChild(span, span.data, [&](const Span& child) {
            switch (child.id) {
            case chunk::kMaterialName:
                material.name = Cursor(m_file, child).cstring();
                break;
            case chunk::kDiffuse:
                material.diffuse = readColour(child);
                break;
            case chunk::kTransparency:
                material.transparency = readPercentage(child);
                break;
            case chunk::kTwoSided:
                material.twoSided = true;
                break;
            case chunk::kTextureMap:
                material.textureFile = readMapFileName(child);
                break;
            default:
                break;
            }
        });
        m_scene.materials.push_back(std::move(material));
    }

    /// The first colour sub-chunk of a colour property.
    Rgb readColour(const Span& property) const {
        Rgb colour;
        bool found = false;
        forEachChild(property, property.data, [&](const Span& child) {
            if (found) return;
            Cursor cursor(m_file, child);
            if (child.id == chunk::kColorFloat || child.id == chunk::kLinColorFloat) {
                colour.r = cursor.f32();
                colour.g = cursor.f32();
                colour.b = cursor.f32();
                found = true;
            } else if (child.id == chunk::kColorByte || child.id == chunk::kLinColorByte) {
                colour.r = static_cast<float>(cursor.u8()) / 255.0f;
                colour.g = static_cast<float>(cursor.u8()) / 255.0f;
                colour.b = static_cast<float>(cursor.u8()) / 255.0f;
                found = true;
            }
        });
        return colour;
    }

    /// A percentage property as a fraction from 0 to 1.
    float readPercentage(const Span& property) const {
        float fraction = 0;
        forEachChild(property, property.data, [&](const Span& child) {
            Cursor cursor(m_file, child);
            if (child.id == chunk::kPercentInt) fraction = static_cast<float>(cursor.u16()) / 100.0f;
            if (child.id == chunk::kPercentFloat) {
                const float value = cursor.f32();
                fraction = value > 1.0f ? value / 100.0f : value;
            }
        });
        if (!(fraction >= 0.0f)) return 0.0f; // also catches NaN
        return std::min(fraction, 1.0f);
    }

    std::string readMapFileName(const Span& map) const {
        std::string name;
        forEachChild(map, map.data, [&](const Span& child) {
            if (child.id == chunk::kMapFileName) name = Cursor(m_file, child).cstring();
        });
        return name;
    }

    static bool isNodeChunk(std::uint16_t id) {
        return id >= chunk::kObjectNode && id <= chunk::kSpotlightNode;
    }

    void readKeyframer(const Span& span) {
        forEachChild(span, span.data, [&](const Span& child) {
            if (isNodeChunk(child.id)) readNode(child);
        });
    }

    void readNode(const Span& span) {
        Node node;
        node.id = static_cast<std::uint16_t>(m_scene.nodes.size()); // unless the node names its id
        node.isObjectNode = span.id == chunk::kObjectNode;
        forEachChild(span, span.data, [&](const Span& child) {
            Cursor cursor(m_file, child);
            switch (child.id) {
            case chunk::kNodeId:
                node.id = cursor.u16();
                break;
            case chunk::kNodeHeader:
                node.name = cursor.cstring();
                cursor.u16(); // flags
                cursor.u16(); // more flags
                node.parentId = cursor.u16();
                m_nodeHeaderOffsets[m_scene.nodes.size()] = child.start;
                break;
            case chunk::kInstanceName:
                node.instanceName = cursor.cstring();
                break;
            case chunk::kPivot:
                node.pivot = cursor.vec3();
                break;
            default:
                break;
            }
        });
        m_scene.nodes.push_back(std::move(node));
    }

    std::size_t headerOffset(std::size_t nodeIndex) const {
        const auto found = m_nodeHeaderOffsets.find(nodeIndex);
        return found == m_nodeHeaderOffsets.end() ? 0 : found->second;
    }

    /// Turns parent ids into indices and rejects ids that name no node and cycles.
    void resolveNodeParents() {
        auto& nodes = m_scene.nodes;
        std::unordered_map<std::uint16_t, std::size_t> indexById;
        for (std::size_t i = 0; i < nodes.size(); ++i) indexById.emplace(nodes[i].id, i);
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            if (nodes[i].parentId == Node::kNoParent) continue;
            const auto found = indexById.find(nodes[i].parentId);
            if (found == indexById.end())
                fail(chunk::kNodeHeader, headerOffset(i),
                     "node '" + nodes[i].name + "' names parent id " + std::to_string(nodes[i].parentId) +
                         " but no node has that id");
            nodes[i].parentIndex = found->second;
        }
        rejectParentCycles();
    }

    void rejectParentCycles() const {
        const auto& nodes = m_scene.nodes;
        enum class Mark { Unseen, OnPath, Done };
        std::vector<Mark> marks(nodes.size(), Mark::Unseen);
        std::vector<std::size_t> path;
        for (std::size_t start = 0; start < nodes.size(); ++start) {
            path.clear();
            std::optional<std::size_t> current = start;
            while (current && marks[*current] == Mark::Unseen) {
                marks[*current] = Mark::OnPath;
                path.push_back(*current);
                current = nodes[*current].parentIndex;
            }
            if (current && marks[*current] == Mark::OnPath)
                fail(chunk::kNodeHeader, headerOffset(*current),
                     "the keyframer's parent links form a cycle through node '" + nodes[*current].name + "'");
            for (const std::size_t index : path) marks[index] = Mark::Done;
        }
    }

    std::span<const std::uint8_t> m_file;
    Scene m_scene;
    std::unordered_map<std::size_t, std::size_t> m_nodeHeaderOffsets;
};

} // namespace

std::string ReadError::message() const {
    return "chunk " + chunk::describe(chunkId) + " at byte " + std::to_string(offset) + ": " + problem;
}

ReadResult readThreeDs(std::span<const std::uint8_t> bytes) {
    try {
        return Reader(bytes).read();
    } catch (const Failure& failure) {
        return failure.error;
    }
}

} // namespace quillfen::conv3ds

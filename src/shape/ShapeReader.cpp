#include "shape/ShapeReader.h"

#include "shape/ShapeText.h"
#include "shape/ShapeTokenizer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace quillfen::shape {

namespace {

/// Ends the reading; caught where the reading started, never outside this file.
struct ReadFailure {
    int line;
    std::string reason;
};

/// The fewest characters one entry of a list takes: bounds what a count may
/// reserve, so a damaged count cannot ask for more memory than the file could fill.
constexpr std::size_t kShortestEntry = 4;

class ShapeParser {
public:
    explicit ShapeParser(std::string_view text) : m_tokens(text) {}

    Shape read() {
        readHeader();
        expectKeyword("shape");
        expectOpen("shape");
        while (!atClose("shape")) readShapeSection(word("a section name"));
        m_tokens.next();
        // Whatever follows the shape (exporters leave data there) is not the simulator's.
        if (m_shape.distanceLevels.empty()) fail("the shape has no distance level");
        return std::move(m_shape);
    }

private:
    ShapeTokenizer m_tokens;
    Shape m_shape;

    // ---- Tokens

    // The failures of the fast paths stand in functions of their own, kept out of
    // line, so the paths themselves stay small.

    [[noreturn, gnu::cold, gnu::noinline]] void failFound(std::string_view expected,
                                                          std::string_view detail = {}) {
        fail("expected " + std::string(expected) + std::string(detail) + ", found " + describeNext());
    }

    [[noreturn, gnu::cold, gnu::noinline]] void failIndex(const char* what, std::int64_t value,
                                                          std::size_t size) const {
        fail(std::string(what) + " " + std::to_string(value) + " lies outside its table of " +
             std::to_string(size) + " entries");
    }

    [[noreturn, gnu::cold, gnu::noinline]] void failMore(std::string_view listName, std::size_t n) const {
        fail(std::string(listName) + " holds more than its " + std::to_string(n) + " entries");
    }

    [[noreturn, gnu::cold, gnu::noinline]] void failOpen(std::string_view block) const {
        fail("expected '(' after " + std::string(block));
    }

    [[noreturn]] void fail(std::string reason) const {
        throw ReadFailure{m_tokens.line(), std::move(reason)};
    }

    static std::string quoted(std::string_view text) { return "'" + std::string(text.substr(0, 40)) + "'"; }

    std::string describeNext() {
        switch (m_tokens.peekKind()) {
        case TokenKind::Open:
            return "'('";
        case TokenKind::Close:
            return "')'";
        case TokenKind::End:
            return "the end of the file";
        case TokenKind::Word:
            break;
        }
        ShapeTokenizer copy = m_tokens;
        return quoted(copy.next().text);
    }

    std::string_view word(const char* what) {
        if (m_tokens.peekKind() != TokenKind::Word) failFound(what);
        return m_tokens.next().text;
    }

    [[gnu::always_inline]] void expectKeyword(std::string_view keyword) {
        if (m_tokens.skipKeyword(keyword)) return;
        failFound("'" + std::string(keyword) + "'");
    }

    [[gnu::always_inline]] void expectOpen(std::string_view block) {
        if (!m_tokens.skipOpen()) failOpen(block);
    }

    /// True when the block ends here; the text ending first is a failure.
    bool atClose(std::string_view block) {
        const TokenKind kind = m_tokens.peekKind();
        if (kind == TokenKind::End) fail("the file ends inside " + std::string(block));
        return kind == TokenKind::Close;
    }

    [[gnu::always_inline]] void expectClose(std::string_view block) {
        if (!m_tokens.skipClose()) failFound("')' to end ", block);
    }

    void skipBlock(std::string_view block) {
        expectOpen(block);
        if (!m_tokens.skipBlockRest()) fail("the file ends inside " + std::string(block));
    }

    // ---- Numbers

    // These and the expect* helpers run for every token: always inlined, since
    // the compiler left some of them as calls in the loops over vertices.

    [[gnu::always_inline]] double decimal(const char* what) {
        if (const auto value = m_tokens.nextDecimal()) return *value;
        failFound(what);
    }

    [[gnu::always_inline]] float number(const char* what) {
        const double value = decimal(what);
        const auto single = static_cast<float>(value);
        if (!std::isfinite(single)) fail(std::string(what) + " lies beyond the range of a float");
        return single;
    }

    [[gnu::always_inline]] std::int64_t integer(const char* what) {
        if (const auto value = m_tokens.nextInteger()) return *value;
        failFound(what, " (a whole number)");
    }

    [[gnu::always_inline]] std::uint32_t hex(const char* what) {
        if (const auto value = m_tokens.nextHex()) return *value;
        failFound(what, " (hexadecimal)");
    }

    /// An index into a table of `size` entries.
    [[gnu::always_inline]] int index(const char* what, std::size_t size) {
        const std::int64_t value = integer(what);
        if (value < 0 || static_cast<std::size_t>(value) >= size) failIndex(what, value, size);
        return static_cast<int>(value);
    }

    std::size_t count(std::string_view list) {
        const std::int64_t value = integer("the entry count");
        if (value < 0 || value > std::numeric_limits<int>::max())
            fail("the count of " + std::string(list) + " is " + std::to_string(value));
        return static_cast<std::size_t>(value);
    }

    std::size_t reservable(std::size_t count) const {
        return std::min(count, m_tokens.remaining() / kShortestEntry);
    }

    // ---- Lists

    /// "list ( n entry ... )": the count (handed to `onCount`), then n entries each
    /// started by `entryKeyword` and read by `readEntry` behind the keyword.
    template <class ReadEntry, class OnCount>
    void list(std::string_view listName, std::string_view entryKeyword, ReadEntry readEntry,
              OnCount onCount) {
        expectOpen(listName);
        const std::size_t n = count(listName);
        onCount(n);
        for (std::size_t i = 0; i < n; ++i) {
            if (!m_tokens.skipKeyword(entryKeyword)) failEntry(listName, entryKeyword, i, n);
            readEntry();
        }
        endList(listName, n);
    }

    /// Entry `read` of a list of n is no `entryKeyword`: the list ends early, or holds something else.
    [[noreturn, gnu::cold, gnu::noinline]] void
    failEntry(std::string_view listName, std::string_view entryKeyword, std::size_t read, std::size_t n) {
        if (m_tokens.peekKind() != TokenKind::Word) endsEarly(listName, read, n);
        failFound("'" + std::string(entryKeyword) + "'");
    }

    /// Value `read` of a list of n is no whole number: the list ends early, or holds something else.
    [[noreturn, gnu::cold, gnu::noinline]] void failWholeNumber(std::string_view listName, const char* what,
                                                                std::size_t read, std::size_t n) {
        if (m_tokens.peekKind() != TokenKind::Word) endsEarly(listName, read, n);
        failFound(what, " (a whole number)");
    }

    template <class ReadEntry>
    void list(std::string_view listName, std::string_view entryKeyword, ReadEntry readEntry) {
        list(listName, entryKeyword, readEntry, [](std::size_t) {});
    }

    [[noreturn, gnu::cold, gnu::noinline]] void endsEarly(std::string_view listName, std::size_t read,
                                                          std::size_t n) const {
        fail(std::string(listName) + " ends after " + std::to_string(read) + " of its " + std::to_string(n) +
             " entries");
    }

    void endList(std::string_view listName, std::size_t n) {
        if (!m_tokens.skipClose()) failMore(listName, n);
    }

    /// "name ( n a b c ... )" with n entries of `perEntry` plain values, each read by
    /// `readValue` (given the value's number). Returns n.
    template <class ReadValue>
    std::size_t values(std::string_view listName, std::size_t perEntry, ReadValue readValue) {
        expectOpen(listName);
        const std::size_t n = count(listName);
        for (std::size_t i = 0; i < n * perEntry; ++i) {
            if (m_tokens.peekKind() != TokenKind::Word) endsEarly(listName, i / perEntry, n);
            readValue(i);
        }
        endList(listName, n);
        return n;
    }

    template <class Entry, class ReadEntry>
    void table(std::string_view listName, std::string_view entryKeyword, std::vector<Entry>& into,
               ReadEntry readEntry) {
        if (!into.empty()) fail(std::string(listName) + " appears twice");
        list(
            listName, entryKeyword, [&] { into.push_back(readEntry()); },
            [&](std::size_t n) { into.reserve(reservable(n)); });
    }

    /// The entry "( ... )" of a table whose block holds exactly what `readFields` reads.
    template <class ReadFields> auto entry(std::string_view name, ReadFields readFields) {
        expectOpen(name);
        auto value = readFields();
        expectClose(name);
        return value;
    }

    // ---- The shape

    void readHeader() {
        if (m_tokens.peekKind() != TokenKind::Word) return;
        ShapeTokenizer copy = m_tokens;
        const std::string_view first = copy.next().text;
        if (first.rfind("SIMISA@", 0) != 0) return;
        if (first.rfind("SIMISA@F", 0) == 0)
            fail("the shape file is compressed; only text shape files can be read");
        if (first.find("JINX0s") == std::string_view::npos)
            fail("the file is no shape file: its header is " + quoted(first));
        m_tokens = copy;
    }

    void readShapeSection(std::string_view name) {
        if (name == "points") {
            table(name, "point", m_shape.points, [&] { return entry("point", [&] { return vector3(); }); });
        } else if (name == "uv_points") {
            table(name, "uv_point", m_shape.texturePoints, [&] {
                return entry("uv_point", [&] { return TexturePoint{number("u"), number("v")}; });
            });
        } else if (name == "normals") {
            table(name, "vector", m_shape.normals,
                  [&] { return entry("vector", [&] { return vector3(); }); });
        } else if (name == "matrices") {
            table(name, "matrix", m_shape.matrices, [&] { return matrix(); });
        } else if (name == "images") {
            nameTable(name, "image", m_shape.images, "an image name");
        } else if (name == "shader_names") {
            nameTable(name, "named_shader", m_shape.shaders, "a shader name");
        } else if (name == "texture_filter_names") {
            nameTable(name, "named_filter_mode", m_shape.filterModes, "a filter name");
        } else if (name == "textures") {
            table(name, "texture", m_shape.textures,
                  [&] { return entry("texture", [&] { return texture(); }); });
        } else if (name == "vtx_states") {
            table(name, "vtx_state", m_shape.vertexStates, [&] { return vertexState(); });
        } else if (name == "prim_states") {
            table(name, "prim_state", m_shape.primStates, [&] { return primState(); });
        } else if (name == "lod_controls") {
            list(name, "lod_control", [&] { lodControl(); });
        } else {
            skipBlock(name);
        }
    }

    void nameTable(std::string_view listName, std::string_view entryKeyword, std::vector<std::string>& into,
                   const char* what) {
        table(listName, entryKeyword, into,
              [&] { return entry(entryKeyword, [&] { return shapeNameText(word(what)); }); });
    }

    Vector3 vector3() { return {number("x"), number("y"), number("z")}; }

    ShapeMatrix matrix() {
        ShapeMatrix matrix;
        if (m_tokens.peekKind() == TokenKind::Word) matrix.name = shapeNameText(m_tokens.next().text);
        expectOpen("matrix");
        for (float& value : matrix.m) value = number("a matrix value");
        expectClose("matrix");
        return matrix;
    }

    ShapeTexture texture() {
        ShapeTexture texture;
        texture.image = index("image index", m_shape.images.size());
        texture.filterMode = static_cast<int>(integer("filter mode"));
        texture.mipmapBias = number("mipmap bias");
        if (m_tokens.peekKind() == TokenKind::Word) texture.borderColour = hex("border colour");
        return texture;
    }

    VertexState vertexState() {
        return entry("vtx_state", [&] {
            VertexState state;
            state.flags = hex("vertex state flags");
            state.matrix = index("matrix index", m_shape.matrices.size());
            state.lightMaterial = static_cast<int>(integer("light material"));
            state.lightConfig = static_cast<int>(integer("light configuration"));
            state.lightFlags = hex("light flags");
            if (m_tokens.peekKind() == TokenKind::Word) (void)integer("second matrix index");
            return state;
        });
    }

    PrimState primState() {
        PrimState state;
        if (m_tokens.peekKind() == TokenKind::Word) state.name = shapeNameText(m_tokens.next().text);
        expectOpen("prim_state");
        state.flags = hex("primitive state flags");
        state.shader = index("shader index", m_shape.shaders.size());
        expectKeyword("tex_idxs");
        values("tex_idxs", 1, [&](std::size_t) {
            state.textures.push_back(index("texture index", m_shape.textures.size()));
        });
        state.zBias = number("z bias");
        state.vertexState = index("vertex state index", m_shape.vertexStates.size());
        state.alphaTestMode = static_cast<int>(integer("alpha test mode"));
        state.lightConfig = static_cast<int>(integer("light configuration"));
        state.zBufferMode = static_cast<int>(integer("z buffer mode"));
        expectClose("prim_state");
        return state;
    }

    // ---- Distance levels

    void lodControl() {
        expectOpen("lod_control");
        while (!atClose("lod_control")) {
            const std::string_view name = word("a section of lod_control");
            if (name == "distance_levels") {
                list(name, "distance_level", [&] { m_shape.distanceLevels.push_back(distanceLevel()); });
            } else {
                skipBlock(name);
            }
        }
        m_tokens.next();
    }

    DistanceLevel distanceLevel() {
        DistanceLevel level;
        bool hasHeader = false;
        expectOpen("distance_level");
        while (!atClose("distance_level")) {
            const std::string_view name = word("a section of distance_level");
            if (name == "distance_level_header") {
                distanceLevelHeader(level);
                hasHeader = true;
            } else if (name == "sub_objects") {
                if (!hasHeader) fail("sub_objects stand before the distance_level_header");
                list(name, "sub_object", [&] { level.subObjects.push_back(subObject()); });
            } else {
                skipBlock(name);
            }
        }
        m_tokens.next();
        if (!hasHeader) fail("a distance_level has no distance_level_header");
        return level;
    }

    // Read once a level: kept out of line, so the sub-object loops beside it stay compact.
    [[gnu::noinline]] void distanceLevelHeader(DistanceLevel& level) {
        expectOpen("distance_level_header");
        while (!atClose("distance_level_header")) {
            const std::string_view name = word("a section of distance_level_header");
            if (name == "dlevel_selection") {
                level.selection = entry(name, [&] { return number("distance"); });
            } else if (name == "hierarchy") {
                hierarchy(level);
            } else {
                skipBlock(name);
            }
        }
        m_tokens.next();
    }

    void hierarchy(DistanceLevel& level) {
        const std::size_t matrices = m_shape.matrices.size();
        values("hierarchy", 1, [&](std::size_t) {
            const std::int64_t parent = integer("parent matrix");
            if (parent < -1 || parent >= static_cast<std::int64_t>(matrices))
                fail("parent matrix " + std::to_string(parent) + " lies outside the " +
                     std::to_string(matrices) + " matrices");
            level.hierarchy.push_back(static_cast<int>(parent));
        });
        if (level.hierarchy.size() != matrices)
            fail("the hierarchy has " + std::to_string(level.hierarchy.size()) + " entries for " +
                 std::to_string(matrices) + " matrices");
        for (std::size_t start = 0; start < matrices; ++start) {
            int matrix = static_cast<int>(start);
            for (std::size_t steps = 0; matrix >= 0; ++steps) {
                if (steps > matrices) fail("the hierarchy's parents form a loop");
                matrix = level.hierarchy[static_cast<std::size_t>(matrix)];
            }
        }
    }

    // ---- Sub-objects

    SubObject subObject() {
        SubObject object;
        expectOpen("sub_object");
        while (!atClose("sub_object")) {
            const std::string_view name = word("a section of sub_object");
            if (name == "vertices") {
                vertices(object);
            } else if (name == "vertex_sets") {
                list(name, "vertex_set", [&] {
                    object.vertexSets.push_back(entry("vertex_set", [&] { return vertexSet(object); }));
                });
            } else if (name == "primitives") {
                primitives(object);
            } else {
                skipBlock(name);
            }
        }
        m_tokens.next();
        return object;
    }

    void vertices(SubObject& object) {
        if (!object.vertices.empty()) fail("a sub_object has two vertex lists");
        list(
            "vertices", "vertex", [&] { object.vertices.push_back(vertex()); },
            [&](std::size_t n) { object.vertices.reserve(reservable(n)); });
    }

    ShapeVertex vertex() {
        ShapeVertex vertex;
        expectOpen("vertex");
        (void)hex("vertex flags");
        vertex.point = index("point index", m_shape.points.size());
        vertex.normal = index("normal index", m_shape.normals.size());
        (void)hex("vertex colour");
        (void)hex("vertex colour");
        expectKeyword("vertex_uvs");
        values("vertex_uvs", 1, [&](std::size_t i) {
            const int uv = index("texture point index", m_shape.texturePoints.size());
            if (i == 0) vertex.texturePoint = uv;
        });
        expectClose("vertex");
        return vertex;
    }

    VertexSet vertexSet(const SubObject& object) {
        VertexSet set;
        set.vertexState = index("vertex state index", m_shape.vertexStates.size());
        set.firstVertex = index("first vertex", object.vertices.size() + 1);
        const std::int64_t count = integer("vertex count");
        if (count < 0 || set.firstVertex + count > static_cast<std::int64_t>(object.vertices.size()))
            fail("the vertex set runs past the " + std::to_string(object.vertices.size()) + " vertices");
        set.vertexCount = static_cast<int>(count);
        return set;
    }

    /// Primitive state indices and the triangle lists drawn with them, counted together.
    void primitives(SubObject& object) {
        expectOpen("primitives");
        const std::size_t n = count("primitives");
        int primState = -1;
        for (std::size_t i = 0; i < n; ++i) {
            if (m_tokens.peekKind() != TokenKind::Word) endsEarly("primitives", i, n);
            const std::string_view name = word("a primitive");
            if (name == "prim_state_idx") {
                primState =
                    entry(name, [&] { return index("primitive state index", m_shape.primStates.size()); });
            } else if (name == "indexed_trilist") {
                if (primState < 0) fail("an indexed_trilist stands before any prim_state_idx");
                object.triangleLists.push_back(triangleList(object, primState));
            } else {
                fail("expected prim_state_idx or indexed_trilist, found " + quoted(name));
            }
        }
        endList("primitives", n);
    }

    TriangleList triangleList(const SubObject& object, int primState) {
        TriangleList triangles{primState, {}};
        std::size_t normalCount = 0;
        std::size_t flagCount = 0;
        expectOpen("indexed_trilist");
        while (!atClose("indexed_trilist")) {
            const std::string_view name = word("a section of indexed_trilist");
            if (name == "vertex_idxs") {
                vertexIndices(object, triangles.vertexIndices);
            } else if (name == "normal_idxs") {
                // Per triangle its face normal and the number 3.
                normalCount = values(name, 2, [&](std::size_t i) {
                    if (i % 2 == 0)
                        (void)index("normal index", m_shape.normals.size());
                    else
                        (void)integer("normal entry size");
                });
            } else if (name == "flags") {
                flagCount = values(name, 1, [&](std::size_t) { (void)hex("triangle flags"); });
            } else {
                skipBlock(name);
            }
        }
        const std::size_t triangleCount = triangles.vertexIndices.size() / 3;
        if (normalCount != triangleCount || flagCount != triangleCount)
            fail("indexed_trilist has " + std::to_string(triangleCount) + " triangles, but " +
                 std::to_string(normalCount) + " normals and " + std::to_string(flagCount) + " flags");
        m_tokens.next();
        return triangles;
    }

    void vertexIndices(const SubObject& object, std::vector<std::uint32_t>& into) {
        if (!into.empty()) fail("an indexed_trilist has two vertex_idxs");
        const std::size_t vertexCount = object.vertices.size();
        expectOpen("vertex_idxs");
        const std::size_t n = count("vertex_idxs");
        if (n % 3 != 0) fail("vertex_idxs holds " + std::to_string(n) + " indices, not whole triangles");
        into.reserve(reservable(n));
        // The most numerous values of a shape: read without looking ahead first.
        for (std::size_t i = 0; i < n; ++i) {
            const auto value = m_tokens.nextInteger();
            if (!value) failWholeNumber("vertex_idxs", "vertex index", i, n);
            if (*value < 0 || static_cast<std::size_t>(*value) >= vertexCount)
                failIndex("vertex index", *value, vertexCount);
            into.push_back(static_cast<std::uint32_t>(*value));
        }
        endList("vertex_idxs", n);
    }
};

} // namespace

Expected<Shape> readShapeText(std::string_view text) {
    try {
        return ShapeParser(text).read();
    } catch (const ReadFailure& failure) {
        return Error{"", "line " + std::to_string(failure.line) + ": " + failure.reason};
    }
}

Expected<Shape> readShapeFile(const FileSystem& fileSystem, const std::string& path) {
    const auto bytes = fileSystem.mapBytes(path);
    if (!bytes) return bytes.error();
    auto shape = readShapeText(ShapeText(bytes->view()).view());
    if (!shape) return Error{path, shape.error().reason};
    return shape;
}

} // namespace quillfen::shape

#include "shape/ShapeReader.h"

#include "shape/ShapeText.h"
#include "shape/ShapeTokenizer.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

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

/// Tokens, numbers, lists, and whole sub-objects: all that a thread reading
/// sub-objects ahead needs. Indices are checked against `tables`, read before.
class ElementReader {
public:
    ElementReader(std::string_view text, const Shape& tables) : m_tokens(text), m_tables(tables) {}

    ShapeTokenizer& tokens() { return m_tokens; }

protected:
    ShapeTokenizer m_tokens;
    const Shape& m_tables;

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

public:
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

private:
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
        vertex.point = index("point index", m_tables.points.size());
        vertex.normal = index("normal index", m_tables.normals.size());
        (void)hex("vertex colour");
        (void)hex("vertex colour");
        expectKeyword("vertex_uvs");
        values("vertex_uvs", 1, [&](std::size_t i) {
            const int uv = index("texture point index", m_tables.texturePoints.size());
            if (i == 0) vertex.texturePoint = uv;
        });
        expectClose("vertex");
        return vertex;
    }

    VertexSet vertexSet(const SubObject& object) {
        VertexSet set;
        set.vertexState = index("vertex state index", m_tables.vertexStates.size());
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
                    entry(name, [&] { return index("primitive state index", m_tables.primStates.size()); });
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
                        (void)index("normal index", m_tables.normals.size());
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

/// A sub-object read by a thread ahead of the reader.
struct SubObjectAhead {
    const char* start;
    const char* end; ///< where the token behind it starts
    SubObject object;
};

/// Sub-objects read ahead by other threads, for large texts. The text behind the
/// first sub-object list is cut into equal parts: the reader reads the first
/// itself, and a thread each of the others, taking every sub-object that starts
/// in its part. Where a part's first sub-object starts is a guess (its keyword
/// may also stand in a skipped block), so the reader takes a sub-object read
/// ahead only when it arrives at that sub-object's start on its own: the result
/// is the one of reading alone. What it does not arrive at is dropped; where a
/// thread failed, the reader reads on itself and fails as it would alone.
class SubObjectsReadAhead {
public:
    SubObjectsReadAhead(std::string_view text, const char* from, const Shape& tables, unsigned parts)
        : m_text(text), m_tables(tables) {
        const char* end = text.data() + text.size();
        const auto partSize = static_cast<std::size_t>(end - from) / parts;
        m_parts.reserve(parts - 1); // the threads hold on to their parts
        for (unsigned i = 1; i < parts; ++i)
            m_parts.push_back({from + i * partSize, i + 1 == parts ? end : from + (i + 1) * partSize, {}});
        for (Part& part : m_parts) {
            try {
                m_threads.emplace_back([this, &part] { readPart(part); });
            } catch (const std::system_error&) {
                break; // the reader reads the parts no thread took
            }
        }
    }

    SubObjectsReadAhead(const SubObjectsReadAhead&) = delete;
    SubObjectsReadAhead& operator=(const SubObjectsReadAhead&) = delete;

    ~SubObjectsReadAhead() {
        m_stop = true;
        joinThreads();
    }

    /// The sub-object read ahead that starts at `at`, or none. `at` only grows
    /// from call to call. Waits for the threads once the reader reaches their parts.
    SubObjectAhead* takeAt(const char* at) {
        if (m_parts.empty() || at < m_parts.front().from) return nullptr;
        joinThreads();
        for (; m_part < m_parts.size(); ++m_part, m_next = 0) {
            std::vector<SubObjectAhead>& found = m_parts[m_part].found;
            while (m_next < found.size() && found[m_next].start < at) ++m_next;
            if (m_next < found.size()) return found[m_next].start == at ? &found[m_next++] : nullptr;
        }
        return nullptr;
    }

private:
    struct Part {
        const char* from;
        const char* to;
        std::vector<SubObjectAhead> found;
    };

    std::string_view m_text;
    const Shape& m_tables;
    std::vector<Part> m_parts;
    std::vector<std::thread> m_threads;
    std::atomic<bool> m_stop{false};
    std::size_t m_part = 0; ///< where takeAt looks next
    std::size_t m_next = 0;

    void joinThreads() {
        for (std::thread& thread : m_threads) thread.join();
        m_threads.clear();
    }

    /// Reads the sub-objects that start in `part`, one after another from the first found.
    void readPart(Part& part) {
        try {
            ElementReader reader(m_text, m_tables);
            ShapeTokenizer& tokens = reader.tokens();
            const char* searchFrom = part.from;
            while (!m_stop) {
                const char* start = findSubObject(searchFrom);
                if (start >= part.to) return;
                tokens.seek(start);
                while (start < part.to && !m_stop && tokens.skipKeyword("sub_object")) {
                    SubObject object = reader.subObject();
                    const char* end = tokens.nextTokenAt();
                    part.found.push_back({start, end, std::move(object)});
                    start = end;
                }
                if (start >= part.to) return;
                searchFrom = start + 1; // no sub-object stands here: the guess was wrong
            }
        } catch (...) {
            // A damaged sub-object, or no memory left: the reader reads on from
            // the last one taken and meets the same.
        }
    }

    /// The next "sub_object" standing as a word of its own, from `from` on; the text's end without one.
    [[nodiscard]] const char* findSubObject(const char* from) const {
        constexpr std::string_view kKeyword = "sub_object";
        const char* end = m_text.data() + m_text.size();
        const std::string_view rest(from, static_cast<std::size_t>(end - from));
        for (auto at = rest.find(kKeyword); at != std::string_view::npos; at = rest.find(kKeyword, at + 1)) {
            const char* word = from + at;
            const char* after = word + kKeyword.size();
            if ((word == m_text.data() || ShapeTokenizer::endsWord(word[-1])) &&
                (after == end || ShapeTokenizer::endsWord(*after)))
                return word;
        }
        return end;
    }
};

/// Reads a whole shape into `shape`, its tables first, then its distance levels.
class ShapeParser : ElementReader {
public:
    ShapeParser(std::string_view text, Shape& shape, const ShapeReading& reading)
        : ElementReader(text, shape), m_shape(shape), m_reading(reading), m_threads(threadsFor(reading)) {}

    void read() {
        readHeader();
        expectKeyword("shape");
        expectOpen("shape");
        while (!atClose("shape")) readShapeSection(word("a section name"));
        m_tokens.next();
        // Whatever follows the shape (exporters leave data there) is not the simulator's.
        if (m_shape.distanceLevels.empty()) fail("the shape has no distance level");
    }

private:
    Shape& m_shape;
    ShapeReading m_reading;
    unsigned m_threads;
    std::optional<SubObjectsReadAhead> m_readAhead;

    static unsigned threadsFor(const ShapeReading& reading) {
        if (reading.threads > 0) return reading.threads;
        return std::clamp(std::thread::hardware_concurrency(), 1U, 8U);
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
            // The threads reading ahead look into the tables: done before anything may change them.
            m_readAhead.reset();
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
                subObjects(level);
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

    void subObjects(DistanceLevel& level) {
        expectOpen("sub_objects");
        const std::size_t n = count("sub_objects");
        readAheadFromHere();
        for (std::size_t i = 0; i < n; ++i) {
            if (SubObjectAhead* ahead = m_readAhead ? m_readAhead->takeAt(m_tokens.nextTokenAt()) : nullptr) {
                level.subObjects.push_back(std::move(ahead->object));
                m_tokens.seek(ahead->end);
                if (m_reading.takenAhead != nullptr) ++*m_reading.takenAhead;
                continue;
            }
            if (!m_tokens.skipKeyword("sub_object")) failEntry("sub_objects", "sub_object", i, n);
            level.subObjects.push_back(subObject());
        }
        endList("sub_objects", n);
    }

    /// Starts the threads reading sub-objects ahead, once, when enough text is left to share.
    void readAheadFromHere() {
        if (m_readAhead || m_threads < 2 || m_tokens.remaining() < m_reading.smallestSharedText) return;
        m_readAhead.emplace(m_tokens.text(), m_tokens.nextTokenAt(), m_shape, m_threads);
    }
};

} // namespace

Expected<Shape> readShapeText(std::string_view text, const ShapeReading& reading) {
    Shape shape;
    try {
        // The parser's threads end with it, before the shape they look into.
        ShapeParser(text, shape, reading).read();
    } catch (const ReadFailure& failure) {
        return Error{"", "line " + std::to_string(failure.line) + ": " + failure.reason};
    }
    return shape;
}

Expected<Shape> readShapeFile(const FileSystem& fileSystem, const std::string& path) {
    const auto bytes = fileSystem.mapBytes(path);
    if (!bytes) return bytes.error();
    auto shape = readShapeText(ShapeText(bytes->view()).view());
    if (!shape) return Error{path, shape.error().reason};
    return shape;
}

} // namespace quillfen::shape

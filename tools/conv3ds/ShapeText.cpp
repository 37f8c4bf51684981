#include "ShapeText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace quillfen::conv3ds {
namespace {

// Real s-files wrap long index lists; keep lines below this many characters.
constexpr std::size_t kWrapColumn = 990;

/// Appends lines with their indentation and CR LF.
class Lines {
public:
    explicit Lines(std::string& out) : m_out(out) {}

    /// Starts a line at the current depth.
    Lines& begin() {
        m_lineStart = m_out.size();
        m_out.append(static_cast<std::size_t>(m_depth), '\t');
        return *this;
    }
    Lines& text(std::string_view s) {
        m_out += s;
        return *this;
    }
    /// " value", wrapping onto a continuation line (same indentation) when the line gets long.
    Lines& num(double value) {
        separate();
        appendFloat(static_cast<float>(value));
        return *this;
    }
    Lines& num(float value) { return num(static_cast<double>(value)); }
    Lines& num(std::size_t value) { return integer(value); }
    Lines& num(std::uint32_t value) { return integer(value); }
    Lines& num(int value) { return integer(value); }
    Lines& num(long value) { return integer(value); }
    /// " 8 lower-case hex digits", wrapping like num().
    Lines& hex(std::uint32_t value) {
        static constexpr char kDigits[] = "0123456789abcdef";
        char buffer[8];
        for (int i = 0; i < 8; ++i) buffer[7 - i] = kDigits[(value >> (4 * i)) & 0xF];
        separate();
        m_out.append(buffer, sizeof buffer);
        return *this;
    }
    Lines& end() {
        m_out += "\r\n";
        return *this;
    }
    /// Ends the current line and nests the following ones one level deeper.
    void endOpen() {
        end();
        ++m_depth;
    }
    /// "keyword (" on a line of its own.
    void open(std::string_view keyword) { begin().text(keyword).text(" (").endOpen(); }
    /// "keyword ( count": the head of a list.
    void open(std::string_view keyword, std::size_t count) {
        begin().text(keyword).text(" (").num(count).endOpen();
    }
    void close() {
        --m_depth;
        begin().text(")").end();
    }

    /// A counted list; an empty one stays on one line as "keyword ( 0 )".
    template <class Items, class WriteItem>
    void list(std::string_view keyword, const Items& items, WriteItem&& writeItem) {
        if (items.empty()) {
            begin().text(keyword).text(" ( 0 )").end();
            return;
        }
        open(keyword, items.size());
        for (const auto& item : items) writeItem(item);
        close();
    }

private:
    /// The blank before a value, or a line break when the line has grown long.
    void separate() {
        if (m_out.size() - m_lineStart > kWrapColumn) {
            end();
            begin();
        } else {
            m_out += ' ';
        }
    }

    template <class Integer> Lines& integer(Integer value) {
        separate();
        std::array<char, 24> buffer{};
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
        m_out.append(buffer.data(), result.ptr);
        return *this;
    }

    /// The shortest text that reads back as the same 32-bit float ("1e-07" where
    /// that is shorter, as real files have it); zero is "0", never "-0".
    void appendFloat(float value) {
        if (!std::isfinite(value) || value == 0.0f) value = 0.0f;
        std::array<char, 32> buffer{};
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
        m_out.append(buffer.data(), result.ptr);
    }

    std::string& m_out;
    int m_depth = 0;
    std::size_t m_lineStart = 0;
};

/// A file name as one token: in double quotes when it holds blanks or brackets.
std::string quotedIfNeeded(const std::string& name) {
    bool needsQuotes = name.empty();
    std::string inner;
    for (const char c : name) {
        needsQuotes = needsQuotes || static_cast<unsigned char>(c) <= ' ' || c == '(' || c == ')';
        inner += c == '"' ? '_' : c;
    }
    return needsQuotes ? "\"" + inner + "\"" : inner;
}

void writeVector(Lines& lines, std::string_view keyword, const Vec3& v) {
    lines.begin().text(keyword).text(" (").num(v.x).num(v.y).num(v.z).text(" )").end();
}

void writeHeaderTables(Lines& lines, const Shape& shape) {
    lines.begin().text("shape_header ( 00000000 00000000 )").end();
    lines.list("volumes", shape.volumes, [&](const Sphere& volume) {
        lines.open("vol_sphere");
        lines.begin()
            .text("vector (")
            .num(volume.centre.x)
            .num(volume.centre.y)
            .num(volume.centre.z)
            .text(" )");
        lines.num(volume.radius).end();
        lines.close();
    });
    lines.list("shader_names", shape.shaders, [&](const std::string& shader) {
        lines.begin().text("named_shader ( ").text(shader).text(" )").end();
    });
    lines.open("texture_filter_names", 1);
    lines.begin().text("named_filter_mode ( MipLinear )").end();
    lines.close();
}

void writeGeometryTables(Lines& lines, const Shape& shape) {
    lines.list("points", shape.points, [&](const Vec3& p) { writeVector(lines, "point", p); });
    lines.list("uv_points", shape.uvPoints, [&](const std::array<float, 2>& uv) {
        lines.begin().text("uv_point (").num(uv[0]).num(uv[1]).text(" )").end();
    });
    lines.list("normals", shape.normals, [&](const Vec3& n) { writeVector(lines, "vector", n); });
    lines.list("sort_vectors", shape.sortVectors, [&](const Vec3& v) { writeVector(lines, "vector", v); });
    lines.begin().text("colours ( 0 )").end();
    lines.list("matrices", shape.matrices, [&](const ShapeMatrix& matrix) {
        lines.begin().text("matrix ").text(matrix.name).text(" (");
        for (const double value : matrix.values) lines.num(value);
        lines.text(" )").end();
    });
}

void writeMaterialTables(Lines& lines, const Shape& shape) {
    lines.list("images", shape.images, [&](const std::string& image) {
        lines.begin().text("image ( ").text(quotedIfNeeded(image)).text(" )").end();
    });
    std::size_t texture = 0;
    lines.list("textures", shape.images, [&](const std::string&) {
        lines.begin().text("texture (").num(texture++).text(" 0 0 ff000000 )").end();
    });
    lines.begin().text("light_materials ( 0 )").end();
    lines.open("light_model_cfgs", 1);
    lines.begin().text("light_model_cfg ( 00000000").endOpen();
    lines.open("uv_ops", 1);
    lines.begin().text("uv_op_copy ( 1 0 )").end();
    lines.close();
    lines.close();
    lines.close();
    lines.list("vtx_states", shape.vtxStateMatrix, [&](int matrix) {
        lines.begin().text("vtx_state ( 00000000").num(matrix).text(" -5 0 00000002 )").end();
    });
    lines.list("prim_states", shape.primStates, [&](const PrimState& state) {
        lines.begin().text("prim_state ").text(state.name).text(" ( 00000000").num(state.shader).endOpen();
        lines.begin().text("tex_idxs ( 1").num(state.texture).text(" )");
        lines.text(" 0").num(state.vtxState).text(" 0 0 1").end();
        lines.close();
    });
}

void writeGeometryInfo(Lines& lines, const SubObject& sub, std::size_t matrixCount) {
    std::size_t faces = 0;
    for (const auto& primitive : sub.primitives) faces += primitive.faceNormals.size();
    const std::size_t indices = faces * 3;
    const std::size_t trilists = sub.primitives.size();
    lines.begin().text("geometry_info (").num(faces).text(" 1 0").num(indices).text(" 0 0").num(trilists);
    lines.text(" 0 0 0").endOpen();
    lines.open("geometry_nodes", 1);
    lines.begin().text("geometry_node ( 1 0 0 0 0").endOpen();
    lines.begin().text("cullable_prims (").num(trilists).num(faces).num(indices).text(" )").end();
    lines.close();
    lines.close();
    lines.begin().text("geometry_node_map (").num(matrixCount);
    for (std::size_t m = 0; m < matrixCount; ++m) lines.num(static_cast<int>(m) == sub.matrix ? 0 : -1);
    lines.text(" )").end();
    lines.close();
}

void writeSubObjectHeader(Lines& lines, const SubObject& sub, std::size_t matrixCount, std::size_t id) {
    lines.begin().text("sub_object_header ( 00000000").num(sub.sortVector).num(sub.volume);
    lines.text(" 000001d2 000001c4").endOpen();
    writeGeometryInfo(lines, sub, matrixCount);
    lines.begin().text("subobject_shaders (").num(sub.shaders.size());
    for (const int shader : sub.shaders) lines.num(shader);
    lines.text(" )").end();
    lines.begin().text("subobject_light_cfgs ( 1 0 )").num(id).end();
    lines.close();
}

void writePrimitives(Lines& lines, const SubObject& sub) {
    lines.open("primitives", sub.primitives.size() * 2);
    for (const auto& primitive : sub.primitives) {
        lines.begin().text("prim_state_idx (").num(primitive.primState).text(" )").end();
        lines.open("indexed_trilist");
        lines.begin().text("vertex_idxs (").num(primitive.vertexIndices.size());
        for (const auto index : primitive.vertexIndices) lines.num(index);
        lines.text(" )").end();
        lines.begin().text("normal_idxs (").num(primitive.faceNormals.size());
        for (const auto normal : primitive.faceNormals) lines.num(normal).num(3);
        lines.text(" )").end();
        lines.begin().text("flags (").num(primitive.faceNormals.size());
        for (std::size_t i = 0; i < primitive.faceNormals.size(); ++i) lines.hex(0);
        lines.text(" )").end();
        lines.close();
    }
    lines.close();
}

void writeSubObject(Lines& lines, const SubObject& sub, std::size_t matrixCount, std::size_t id) {
    lines.open("sub_object");
    writeSubObjectHeader(lines, sub, matrixCount, id);
    lines.list("vertices", sub.vertices, [&](const ShapeVertex& v) {
        lines.begin()
            .text("vertex ( 00000000")
            .num(v.point)
            .num(v.normal)
            .hex(v.colour)
            .text(" ff000000")
            .endOpen();
        lines.begin().text("vertex_uvs ( 1").num(v.uv).text(" )").end();
        lines.close();
    });
    lines.list("vertex_sets", sub.vertexSets, [&](const VertexSet& set) {
        lines.begin().text("vertex_set (").num(set.vtxState).num(set.first).num(set.count).text(" )").end();
    });
    writePrimitives(lines, sub);
    lines.close();
}

void writeDistanceLevel(Lines& lines, const Shape& shape, const DistanceLevel& level) {
    lines.open("distance_level");
    lines.open("distance_level_header");
    lines.begin().text("dlevel_selection (").num(level.distance).text(" )").end();
    lines.begin().text("hierarchy (").num(shape.matrices.size());
    for (const auto& matrix : shape.matrices) lines.num(matrix.parent);
    lines.text(" )").end();
    lines.close();
    std::size_t id = 0;
    lines.list("sub_objects", level.subObjects,
               [&](const SubObject& sub) { writeSubObject(lines, sub, shape.matrices.size(), id++); });
    lines.close();
}

void writeLodControls(Lines& lines, const Shape& shape) {
    lines.open("lod_controls", 1);
    lines.open("lod_control");
    lines.begin().text("distance_levels_header ( 0 )").end();
    lines.list("distance_levels", shape.levels,
               [&](const DistanceLevel& level) { writeDistanceLevel(lines, shape, level); });
    lines.close();
    lines.close();
}

/// About the length of the text, so that it grows without copying itself over and over.
std::size_t estimatedSize(const Shape& shape) {
    std::size_t size = 4096 + (shape.points.size() + shape.normals.size() + shape.uvPoints.size()) * 48;
    for (const auto& level : shape.levels)
        for (const auto& sub : level.subObjects) {
            size += sub.vertices.size() * 80;
            for (const auto& primitive : sub.primitives) size += primitive.vertexIndices.size() * 14;
        }
    return size;
}

} // namespace

std::string shapeText(const Shape& shape) {
    std::string out;
    out.reserve(estimatedSize(shape));
    Lines lines(out);
    lines.begin().text(kShapeHeaderLine).end();
    lines.begin().end();
    lines.open("shape");
    writeHeaderTables(lines, shape);
    writeGeometryTables(lines, shape);
    writeMaterialTables(lines, shape);
    writeLodControls(lines, shape);
    lines.close();
    return out;
}

std::string toUtf16LeWithBom(const std::string& windows1252) {
    // Windows-1252 0x80..0x9F; 0 marks the five unassigned bytes (kept as C1 controls).
    static constexpr std::array<char16_t, 32> kHigh{
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    std::string out(2 + windows1252.size() * 2, '\0');
    out[0] = '\xFF';
    out[1] = '\xFE';
    char* next = out.data() + 2;
    for (const char c : windows1252) {
        const auto byte = static_cast<unsigned char>(c);
        char16_t unit = byte;
        if (byte >= 0x80 && byte < 0xA0 && kHigh[byte - 0x80] != 0) unit = kHigh[byte - 0x80];
        *next++ = static_cast<char>(unit & 0xFF);
        *next++ = static_cast<char>(unit >> 8);
    }
    return out;
}

} // namespace quillfen::conv3ds

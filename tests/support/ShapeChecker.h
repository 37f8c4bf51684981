#pragma once
// What the engines rely on in an s-file: counts equal their lists, indices in range, one hierarchy entry per
// matrix, sub-objects within 16-bit indices, only shaders Open Rails knows, a texture for every prim_state.

#include "support/ShapeBlocks.h"

#include <charconv>
#include <set>
#include <string>
#include <vector>

namespace quillfen::test {

class ShapeChecker {
public:
    /// What is wrong with the s-file text; empty when nothing is.
    static std::vector<std::string> problems(const std::string& text) {
        ShapeChecker checker;
        try {
            const Block root = parseShapeBlocks(text);
            if (root.children.size() != 1 || root.children[0].keyword != "shape")
                return {"no single shape block"};
            checker.checkCounts(root.children[0], "shape");
            checker.checkShape(root.children[0]);
        } catch (const std::exception& e) {
            checker.m_problems.push_back(e.what());
        }
        return checker.m_problems;
    }

private:
    static long long number(const std::vector<std::string>& fields, std::size_t i) {
        long long value = -2;
        const std::string& f = i < fields.size() ? fields[i] : std::string();
        return std::from_chars(f.data(), f.data() + f.size(), value).ptr == f.data() + f.size() ? value : -2;
    }
    static const Block& child(const Block& block, const std::string& keyword) {
        for (const Block& c : block.children)
            if (c.keyword == keyword) return c;
        throw std::runtime_error(block.keyword + " has no " + keyword);
    }
    void expect(bool condition, const std::string& what) {
        if (!condition) m_problems.push_back(what);
    }
    void inRange(long long index, std::size_t size, const std::string& what) {
        expect(index >= 0 && static_cast<std::size_t>(index) < size,
               what + " " + std::to_string(index) + " outside 0.." + std::to_string(size));
    }

    void checkCounts(const Block& block, const std::string& path) {
        static const std::string kBlockLists = " volumes shader_names texture_filter_names points uv_points "
                                               "normals sort_vectors colours matrices images "
                                               "textures light_materials light_model_cfgs uv_ops vtx_states "
                                               "prim_states lod_controls distance_levels "
                                               "sub_objects geometry_nodes vertices vertex_sets primitives ";
        static const std::string kFieldLists = " vertex_idxs normal_idxs flags hierarchy geometry_node_map "
                                               "subobject_shaders tex_idxs vertex_uvs ";
        const std::string key = " " + block.keyword + " ";
        const long long count = number(block.fields, 0);
        if (kBlockLists.find(key) != std::string::npos)
            expect(block.fields.size() == 1 && count == static_cast<long long>(block.children.size()),
                   path + ": count differs from its entries");
        if (kFieldLists.find(key) != std::string::npos) {
            const long long stride = block.keyword == "normal_idxs" ? 2 : 1;
            expect(count >= 0 && static_cast<long long>(block.fields.size()) == 1 + count * stride,
                   path + ": count differs from its values");
        }
        for (const Block& c : block.children) checkCounts(c, path + "/" + c.keyword);
    }

    void checkShape(const Block& shape) {
        static const std::set<std::string> kKnownShaders{"Tex",           "TexDiff", "BlendATex",
                                                         "BlendATexDiff", "AddATex", "AddATexDiff"};
        for (const Block& shader : child(shape, "shader_names").children)
            expect(kKnownShaders.count(shader.fields.at(0)) == 1, "unknown shader " + shader.fields.at(0));
        const auto size = [&](const char* list) { return child(shape, list).children.size(); };
        m_shaders = size("shader_names"), m_points = size("points"), m_uvs = size("uv_points");
        m_normals = size("normals"), m_matrices = size("matrices"), m_vtxStates = size("vtx_states");
        const std::size_t images = size("images"), textures = size("textures");
        for (const Block& texture : child(shape, "textures").children)
            inRange(number(texture.fields, 0), images, "texture image");
        for (const Block& state : child(shape, "vtx_states").children)
            inRange(number(state.fields, 1), m_matrices, "vtx_state matrix");
        for (const Block& state : child(shape, "prim_states").children) {
            inRange(number(state.fields, 1), m_shaders, "prim_state shader");
            inRange(number(state.fields, 3), m_vtxStates, "prim_state vtx_state");
            const Block& textureList = child(state, "tex_idxs");
            expect(number(textureList.fields, 0) >= 1, "prim_state without texture");
            for (std::size_t i = 1; i < textureList.fields.size(); ++i)
                inRange(number(textureList.fields, i), textures, "prim_state texture");
            m_primStateShader.push_back(number(state.fields, 1));
        }
        for (const Block& lod : child(shape, "lod_controls").children)
            for (const Block& level : child(lod, "distance_levels").children) checkLevel(shape, level);
    }

    void checkLevel(const Block& shape, const Block& level) {
        const Block& hierarchy = child(child(level, "distance_level_header"), "hierarchy");
        expect(number(hierarchy.fields, 0) == static_cast<long long>(m_matrices), "hierarchy length");
        for (std::size_t i = 1; i < hierarchy.fields.size(); ++i) {
            const long long parent = number(hierarchy.fields, i);
            expect(parent >= -1 && parent < static_cast<long long>(m_matrices), "hierarchy parent");
        }
        for (const Block& sub : child(level, "sub_objects").children) checkSubObject(shape, sub);
    }

    void checkSubObject(const Block& shape, const Block& sub) {
        const Block& header = child(sub, "sub_object_header");
        inRange(number(header.fields, 1), child(shape, "sort_vectors").children.size(), "sort vector");
        inRange(number(header.fields, 2), child(shape, "volumes").children.size(), "volume");
        const std::vector<Block>& vertices = child(sub, "vertices").children;
        expect(vertices.size() <= 65535, "sub-object with " + std::to_string(vertices.size()) + " vertices");
        for (const Block& vertex : vertices) {
            inRange(number(vertex.fields, 1), m_points, "vertex point");
            inRange(number(vertex.fields, 2), m_normals, "vertex normal");
            inRange(number(child(vertex, "vertex_uvs").fields, 1), m_uvs, "vertex uv");
        }
        for (const Block& set : child(sub, "vertex_sets").children) {
            inRange(number(set.fields, 0), m_vtxStates, "vertex_set vtx_state");
            expect(number(set.fields, 1) + number(set.fields, 2) <= static_cast<long long>(vertices.size()),
                   "vertex_set beyond the vertices");
        }
        long long faces = 0, trilists = 0;
        std::set<long long> usedShaders;
        const std::vector<Block>& primitives = child(sub, "primitives").children;
        for (std::size_t i = 0; i + 1 < primitives.size(); i += 2) {
            const long long state = number(primitives[i].fields, 0);
            inRange(state, m_primStateShader.size(), "prim_state_idx");
            if (state >= 0 && static_cast<std::size_t>(state) < m_primStateShader.size())
                usedShaders.insert(m_primStateShader[static_cast<std::size_t>(state)]);
            const Block& trilist = primitives[i + 1];
            const Block& indices = child(trilist, "vertex_idxs");
            const long long triangles = number(indices.fields, 0) / 3;
            expect(number(indices.fields, 0) % 3 == 0, "vertex_idxs not whole triangles");
            for (std::size_t k = 1; k < indices.fields.size(); ++k)
                inRange(number(indices.fields, k), vertices.size(), "vertex index");
            const Block& normals = child(trilist, "normal_idxs");
            expect(number(normals.fields, 0) == triangles, "one normal per triangle");
            for (std::size_t k = 1; k < normals.fields.size(); k += 2)
                inRange(number(normals.fields, k), m_normals, "face normal");
            expect(number(child(trilist, "flags").fields, 0) == triangles, "one flag per triangle");
            faces += triangles;
            ++trilists;
        }
        const Block& info = child(header, "geometry_info");
        expect(number(info.fields, 0) == faces && number(info.fields, 3) == 3 * faces &&
                   number(info.fields, 6) == trilists,
               "geometry_info counts");
        const Block& cullable =
            child(child(child(info, "geometry_nodes"), "geometry_node"), "cullable_prims");
        expect(number(cullable.fields, 0) == trilists && number(cullable.fields, 1) == faces &&
                   number(cullable.fields, 2) == 3 * faces,
               "cullable_prims counts");
        expect(number(child(info, "geometry_node_map").fields, 0) == static_cast<long long>(m_matrices),
               "geometry_node_map length");
        const Block& shaders = child(header, "subobject_shaders");
        std::set<long long> listed;
        for (std::size_t k = 1; k < shaders.fields.size(); ++k) listed.insert(number(shaders.fields, k));
        expect(listed == usedShaders, "subobject_shaders differ from the shaders of its primitives");
    }

    std::vector<std::string> m_problems;
    std::size_t m_shaders = 0, m_points = 0, m_uvs = 0, m_normals = 0, m_matrices = 0, m_vtxStates = 0;
    std::vector<long long> m_primStateShader;
};

} // namespace quillfen::test

#pragma once
// Test helper: the block skeleton of an s-file (keywords, field counts, order of nested blocks), for
// comparing converter output with real files.

#include "support/ShapeBlocks.h"

#include <charconv>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillfen::test {

/// What real files show for one block path ("shape/points/point"): field counts and child keyword orders.
struct PathShape {
    std::set<std::size_t> fieldCounts;
    std::set<std::vector<std::string>> childSequences; ///< repeats collapsed
};
using Skeleton = std::map<std::string, PathShape>;

inline std::vector<std::string> childSequence(const Block& block) {
    std::vector<std::string> sequence;
    for (const auto& child : block.children)
        if (sequence.empty() || sequence.back() != child.keyword) sequence.push_back(child.keyword);
    return sequence;
}

inline void collectSkeleton(const Block& block, Skeleton& skeleton, const std::string& path = "") {
    if (!path.empty()) {
        skeleton[path].fieldCounts.insert(block.fields.size());
        skeleton[path].childSequences.insert(childSequence(block));
    }
    for (const auto& child : block.children)
        collectSkeleton(child, skeleton, (path.empty() ? "" : path + "/") + child.keyword);
}

/// Differences of `block` from the reference: unknown paths, field counts or child orders real files never
/// have, and counts that do not match their list. An empty list ("images ( 0 )") is allowed.
inline void skeletonDifferences(const Block& block, const Skeleton& reference, std::vector<std::string>& out,
                                const std::string& path = "") {
    const auto found = reference.find(path);
    if (!path.empty() && found == reference.end())
        return out.push_back(path + ": no real file has this block");
    if (!path.empty()) {
        const std::string& first = block.fields.empty() ? "" : block.fields[0];
        long long count = -1;
        if (std::from_chars(first.data(), first.data() + first.size(), count).ptr !=
            first.data() + first.size())
            count = -1;
        const auto fields = static_cast<long long>(block.fields.size());
        const auto children = static_cast<long long>(block.children.size());
        const auto in = [&](const char* names) {
            return std::string(names).find(" " + block.keyword + " ") != std::string::npos;
        };
        // Lists whose first field counts the entries that follow, one or (normal_idxs) two fields each.
        const bool fieldList =
            in(" vertex_idxs normal_idxs flags hierarchy geometry_node_map subobject_shaders "
               "tex_idxs vertex_uvs ");
        const long long stride = block.keyword == "normal_idxs" ? 2 : 1;
        if (fieldList ? count < 0 || fields != 1 + count * stride
                      : found->second.fieldCounts.count(block.fields.size()) == 0)
            out.push_back(path + ": " + std::to_string(fields) + " fields, never so in real files");
        // Lists whose single field counts their child blocks.
        const bool blockList =
            in(" volumes shader_names texture_filter_names points uv_points normals sort_vectors "
               "colours matrices images textures light_materials light_model_cfgs uv_ops "
               "vtx_states prim_states lod_controls distance_levels sub_objects geometry_nodes "
               "vertices vertex_sets primitives ");
        if (blockList && (fields != 1 || count != children))
            out.push_back(path + ": count differs from its " + std::to_string(children) + " entries");
        if (!(blockList && children == 0) && found->second.childSequences.count(childSequence(block)) == 0)
            out.push_back(path + ": its blocks come in an order no real file has");
    }
    for (const auto& child : block.children)
        skeletonDifferences(child, reference, out, (path.empty() ? "" : path + "/") + child.keyword);
}

} // namespace quillfen::test

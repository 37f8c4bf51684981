#include "ShapeSkeleton.h"

#include <cctype>
#include <charconv>
#include <stdexcept>

namespace quillfen::test {
namespace {

std::vector<std::string> tokenize(std::string_view text) {
    std::vector<std::string> tokens;
    std::string current;
    const auto flush = [&] {
        if (!current.empty()) tokens.push_back(current);
        current.clear();
    };
    for (const char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            flush();
        } else if (c == '(' || c == ')') {
            flush();
            tokens.emplace_back(1, c);
        } else {
            current += c;
        }
    }
    flush();
    return tokens;
}

bool isNamedBlock(const std::string& keyword) {
    return keyword == "matrix" || keyword == "prim_state";
}

void parseItems(const std::vector<std::string>& tokens, std::size_t& pos, Block& block, bool nested) {
    while (pos < tokens.size()) {
        const std::string& token = tokens[pos];
        if (token == ")") {
            if (!nested) throw std::runtime_error("unbalanced ')'");
            ++pos;
            return;
        }
        const bool opensNow = pos + 1 < tokens.size() && tokens[pos + 1] == "(";
        const bool opensNamed = isNamedBlock(token) && pos + 2 < tokens.size() && tokens[pos + 2] == "(";
        if (token == "(") throw std::runtime_error("'(' without keyword");
        if (opensNow || opensNamed) {
            Block child;
            child.keyword = token;
            if (opensNamed) child.name = tokens[pos + 1];
            pos += opensNamed ? 3 : 2;
            parseItems(tokens, pos, child, true);
            block.children.push_back(std::move(child));
        } else {
            block.fields.push_back(token);
            ++pos;
        }
    }
    if (nested) throw std::runtime_error("block not closed");
}

std::vector<std::string> childSequence(const Block& block) {
    std::vector<std::string> sequence;
    for (const auto& child : block.children)
        if (sequence.empty() || sequence.back() != child.keyword) sequence.push_back(child.keyword);
    return sequence;
}

void collect(const Block& block, const std::string& path, Skeleton& skeleton) {
    auto& shape = skeleton[path];
    shape.fieldCounts.insert(block.fields.size());
    shape.childSequences.insert(childSequence(block));
    for (const auto& child : block.children) collect(child, path + "/" + child.keyword, skeleton);
}

/// Lists whose first field counts the entries that follow, each `stride` fields wide.
std::size_t countedListStride(const std::string& keyword) {
    static const std::map<std::string, std::size_t> strides{
        {"vertex_idxs", 1},       {"normal_idxs", 2},       {"flags", 1},    {"hierarchy", 1},
        {"geometry_node_map", 1}, {"subobject_shaders", 1}, {"tex_idxs", 1}, {"vertex_uvs", 1}};
    const auto found = strides.find(keyword);
    return found == strides.end() ? 0 : found->second;
}

/// Blocks whose single field counts their child blocks.
bool countsChildren(const Block& block) {
    static const std::set<std::string> lists{"volumes",          "shader_names",   "texture_filter_names",
                                             "points",           "uv_points",      "normals",
                                             "sort_vectors",     "colours",        "matrices",
                                             "images",           "textures",       "light_materials",
                                             "light_model_cfgs", "uv_ops",         "vtx_states",
                                             "prim_states",      "lod_controls",   "distance_levels",
                                             "sub_objects",      "geometry_nodes", "vertices",
                                             "vertex_sets",      "primitives"};
    return lists.count(block.keyword) != 0;
}

long long asInteger(const std::string& text) {
    long long value = -1;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() ? value : -1;
}

void compare(const Block& block, const std::string& path, const Skeleton& reference,
             std::vector<std::string>& out) {
    const auto found = reference.find(path);
    if (found == reference.end()) {
        out.push_back(path + ": no real file has this block here");
        return;
    }
    const std::size_t stride = countedListStride(block.keyword);
    if (stride > 0) {
        const long long count = block.fields.empty() ? -1 : asInteger(block.fields[0]);
        if (count < 0 || block.fields.size() != 1 + static_cast<std::size_t>(count) * stride)
            out.push_back(path + ": count does not match its " + std::to_string(block.fields.size()) +
                          " fields");
    } else if (found->second.fieldCounts.count(block.fields.size()) == 0) {
        out.push_back(path + ": " + std::to_string(block.fields.size()) + " fields, never so in real files");
    }
    if (countsChildren(block) &&
        (block.fields.size() != 1 ||
         asInteger(block.fields[0]) != static_cast<long long>(block.children.size())))
        out.push_back(path + ": count differs from its " + std::to_string(block.children.size()) +
                      " entries");
    const bool emptyList = countsChildren(block) && block.children.empty();
    if (!emptyList && found->second.childSequences.count(childSequence(block)) == 0)
        out.push_back(path + ": its blocks come in an order no real file has");
    for (const auto& child : block.children) compare(child, path + "/" + child.keyword, reference, out);
}

} // namespace

Block parseShapeBlocks(std::string_view utf8Text) {
    const auto lineEnd = utf8Text.find('\n');
    const auto body = lineEnd == std::string_view::npos ? std::string_view() : utf8Text.substr(lineEnd + 1);
    const auto tokens = tokenize(body);
    Block root;
    std::size_t pos = 0;
    parseItems(tokens, pos, root, false);
    return root;
}

void collectSkeleton(const Block& root, Skeleton& skeleton) {
    for (const auto& child : root.children) collect(child, child.keyword, skeleton);
}

std::vector<std::string> skeletonDifferences(const Block& candidate, const Skeleton& reference) {
    std::vector<std::string> differences;
    for (const auto& child : candidate.children) compare(child, child.keyword, reference, differences);
    return differences;
}

} // namespace quillfen::test

#pragma once
// Test helper: the block skeleton of an s-file (keywords, field counts, order of
// nested blocks), for comparing converter output with real files.

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quillfen::test {

struct Block {
    std::string keyword;
    std::string name; ///< "matrix NAME (" and "prim_state NAME (" carry one
    std::vector<std::string> fields;
    std::vector<Block> children;
};

/// Parses the text after the header line into its top-level blocks (the
/// returned block's children). Throws std::runtime_error on unbalanced brackets.
[[nodiscard]] Block parseShapeBlocks(std::string_view utf8Text);

/// What real files show for one block path ("shape/points/point").
struct PathShape {
    std::set<std::size_t> fieldCounts;
    std::set<std::vector<std::string>> childSequences; ///< child keywords, repeats collapsed
};

using Skeleton = std::map<std::string, PathShape>;

/// Adds every block below `root` to the skeleton.
void collectSkeleton(const Block& root, Skeleton& skeleton);

/// Lists differences of `candidate` from the reference skeleton: unknown block
/// paths, field counts the reference never has, child orders it never has, and
/// count-prefixed lists whose count does not match their content. A list with
/// no entries ("images ( 0 )") is allowed wherever real files have that list.
[[nodiscard]] std::vector<std::string> skeletonDifferences(const Block& candidate, const Skeleton& reference);

} // namespace quillfen::test

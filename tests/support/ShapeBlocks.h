#pragma once
// Test helper: an s-file's text as nested blocks ("keyword ( fields children )").

#include <algorithm>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillfen::test {

struct Block {
    std::string keyword;
    std::vector<std::string> fields;
    std::vector<Block> children;
};

/// The blocks of the text after the header line (the children of the result); throws on unbalanced brackets.
inline Block parseShapeBlocks(const std::string& text) {
    std::string spaced;
    for (const char c : text.substr(std::min(text.find('\n'), text.size())))
        spaced += c == '(' || c == ')' ? std::string{' ', c, ' '} : std::string(1, c);
    std::istringstream in(spaced);
    const std::vector<std::string> tokens{std::istream_iterator<std::string>(in), {}};
    std::size_t pos = 0;
    const auto parse = [&](auto& self, Block& block) -> void {
        while (pos < tokens.size() && tokens[pos] != ")") {
            // "matrix NAME (" and "prim_state NAME (" carry a name.
            const bool named = (tokens[pos] == "matrix" || tokens[pos] == "prim_state") &&
                               pos + 2 < tokens.size() && tokens[pos + 2] == "(";
            if (tokens[pos] == "(") throw std::runtime_error("'(' without keyword");
            if (!named && (pos + 1 >= tokens.size() || tokens[pos + 1] != "(")) {
                block.fields.push_back(tokens[pos++]);
                continue;
            }
            Block& child = block.children.emplace_back(Block{tokens[pos], {}, {}});
            pos += named ? 3 : 2;
            self(self, child);
            if (pos++ >= tokens.size()) throw std::runtime_error("block not closed");
        }
    };
    Block root;
    parse(parse, root);
    if (pos != tokens.size()) throw std::runtime_error("unbalanced ')'");
    return root;
}

} // namespace quillfen::test

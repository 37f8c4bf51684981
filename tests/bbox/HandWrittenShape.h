#pragma once
// Small shape files written by hand for the tests: just the sections the box
// computation reads, in the order the converter writes them, with CR LF.

#include "app/ProgramState.h"
#include "bbox/BoundingBoxCalculation.h"
#include "bbox/GeometryTables.h"
#include "bbox/ShapeGeometryReader.h"

#include <string>
#include <vector>

namespace quillfen::test {

struct SubObjectText {
    std::vector<int> vertexPoints;       ///< one vertex record per entry
    std::vector<std::string> vertexSets; ///< the fields of each vertex_set record, e.g. "0 0 3"
    std::string vertexCount;             ///< empty: the number of vertex records
    std::string vertexSetCount;          ///< empty: the number of vertex_set records
};

struct LevelText {
    std::string hierarchy = "1 -1";
    std::vector<SubObjectText> subObjects;
};

struct ShapeText {
    std::vector<std::string> points{"1 2 3"};                     ///< "x y z" per point
    std::vector<std::string> matrices{"1 0 0 0 1 0 0 0 1 0 0 0"}; ///< twelve values each
    std::vector<std::string> vertexStateMatrices{"0"};            ///< matrix field per vtx_state
    std::vector<LevelText> levels{LevelText{"1 -1", {SubObjectText{{0}, {"0 0 1"}, "", ""}}}};
    std::string lineEnd = "\r\n";

    [[nodiscard]] std::string text() const {
        std::string s = "SIMISA@@@@@@@@@@JINX0s1t______" + lineEnd + lineEnd + "shape (" + lineEnd;
        s += "\tpoints ( " + std::to_string(points.size()) + lineEnd;
        for (const auto& p : points) s += "\t\tpoint ( " + p + " )" + lineEnd;
        s += "\t)" + lineEnd + "\tuv_points ( 1" + lineEnd + "\t\tuv_point ( 0.5 0.5 )" + lineEnd + "\t)" +
             lineEnd;
        s += "\tmatrices ( " + std::to_string(matrices.size()) + lineEnd;
        for (std::size_t i = 0; i < matrices.size(); ++i)
            s += "\t\tmatrix BODY" + std::to_string(i) + " ( " + matrices[i] + " )" + lineEnd;
        s +=
            "\t)" + lineEnd + "\timages ( 1" + lineEnd + "\t\timage ( wall.ace )" + lineEnd + "\t)" + lineEnd;
        s += "\tvtx_states ( " + std::to_string(vertexStateMatrices.size()) + lineEnd;
        for (const auto& m : vertexStateMatrices)
            s += "\t\tvtx_state ( 00000000 " + m + " -5 0 00000002 )" + lineEnd;
        s += "\t)" + lineEnd + "\tprim_states ( 1" + lineEnd + "\t\tprim_state wall ( 00000000 0" + lineEnd +
             "\t\t\ttex_idxs ( 1 0 ) 0 0 0 0 1" + lineEnd + "\t\t)" + lineEnd + "\t)" + lineEnd;
        s += "\tlod_controls ( 1" + lineEnd + "\t\tlod_control (" + lineEnd +
             "\t\t\tdistance_levels_header ( 0 )" + lineEnd + "\t\t\tdistance_levels ( " +
             std::to_string(levels.size()) + lineEnd;
        int distance = 100;
        for (const auto& level : levels) s += levelText(level, distance++);
        s += "\t\t\t)" + lineEnd + "\t\t)" + lineEnd + "\t)" + lineEnd + ")" + lineEnd;
        return s;
    }

private:
    [[nodiscard]] std::string levelText(const LevelText& level, int distance) const {
        std::string s = "\t\t\t\tdistance_level (" + lineEnd + "\t\t\t\t\tdistance_level_header (" + lineEnd +
                        "\t\t\t\t\t\tdlevel_selection ( " + std::to_string(distance) + " )" + lineEnd +
                        "\t\t\t\t\t\thierarchy ( " + level.hierarchy + " )" + lineEnd + "\t\t\t\t\t)" +
                        lineEnd;
        s += "\t\t\t\t\tsub_objects ( " + std::to_string(level.subObjects.size()) + lineEnd;
        for (const auto& sub : level.subObjects) {
            s += "\t\t\t\t\t\tsub_object (" + lineEnd +
                 "\t\t\t\t\t\t\tsub_object_header ( 00000400 -1 -1 000001d2 000001c4" + lineEnd +
                 "\t\t\t\t\t\t\t)" + lineEnd;
            const std::string vertexCount =
                sub.vertexCount.empty() ? std::to_string(sub.vertexPoints.size()) : sub.vertexCount;
            s += "\t\t\t\t\t\t\tvertices ( " + vertexCount + lineEnd;
            for (int p : sub.vertexPoints)
                s += "\t\t\t\t\t\t\t\tvertex ( 00000000 " + std::to_string(p) + " 0 FFFFFFFF FF000000" +
                     lineEnd + "\t\t\t\t\t\t\t\t\tvertex_uvs ( 1 0 )" + lineEnd + "\t\t\t\t\t\t\t\t)" +
                     lineEnd;
            const std::string setCount =
                sub.vertexSetCount.empty() ? std::to_string(sub.vertexSets.size()) : sub.vertexSetCount;
            s += "\t\t\t\t\t\t\t)" + lineEnd + "\t\t\t\t\t\t\tvertex_sets ( " + setCount + lineEnd;
            for (const auto& set : sub.vertexSets)
                s += "\t\t\t\t\t\t\t\tvertex_set ( " + set + " )" + lineEnd;
            s += "\t\t\t\t\t\t\t)" + lineEnd + "\t\t\t\t\t\t\tprimitives ( 1" + lineEnd +
                 "\t\t\t\t\t\t\t\tprim_state_idx ( 0 )" + lineEnd + "\t\t\t\t\t\t\t)" + lineEnd +
                 "\t\t\t\t\t\t)" + lineEnd;
        }
        s += "\t\t\t\t\t)" + lineEnd + "\t\t\t\t)" + lineEnd;
        return s;
    }
};

/// What one reading and computation gave.
struct BoxOutcome {
    Status read;
    Expected<BoxValues> box = Error{"", "not computed"};
    std::vector<std::string> log; ///< oldest first
};

inline BoxOutcome computeBox(const std::string& text, GeometryTables& tables,
                             const std::string& language = kLanguageEnglish) {
    ProgramState state;
    state.gstrSprache = language;
    BoxOutcome outcome;
    outcome.read = liesShapeGeometrie(text, tables, state, [&outcome](const std::string& line) {
                       outcome.log.push_back(line);
                   }).runToEnd();
    if (outcome.read.ok()) outcome.box = berechneBoundingBox(tables, state.gintNachkommastellen);
    return outcome;
}

inline BoxOutcome computeBox(const std::string& text) {
    GeometryTables tables;
    return computeBox(text, tables);
}

} // namespace quillfen::test

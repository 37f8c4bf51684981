#pragma once
// Small shape files written by hand (the sections the box computation reads, converter's order) and their
// box.

#include "bbox/BoundingBoxCalculation.h"
#include "bbox/GeometryTables.h"
#include "bbox/ShapeGeometryReader.h"
#include "core/ProgramState.h"
#include "support/RecordingLog.h"

#include <string>
#include <vector>

namespace quillfen::test {

struct SubObjectText {
    std::vector<int> vertexPoints;       ///< one vertex record per entry
    std::vector<std::string> vertexSets; ///< the fields of each vertex_set record, e.g. "0 0 3"
    std::string vertexCount = "";        ///< empty: the number of vertex records
    std::string vertexSetCount = "";     ///< empty: the number of vertex_set records
};

struct LevelText {
    std::string hierarchy = "1 -1";
    std::vector<SubObjectText> subObjects;
};

struct ShapeText {
    std::vector<std::string> points{"1 2 3"};                     ///< "x y z" per point
    std::vector<std::string> matrices{"1 0 0 0 1 0 0 0 1 0 0 0"}; ///< twelve values each
    std::vector<std::string> vertexStateMatrices{"0"};            ///< matrix field per vtx_state
    std::vector<LevelText> levels{LevelText{"1 -1", {SubObjectText{{0}, {"0 0 1"}}}}};
    std::string lineEnd = "\r\n";

    /// The text with "\n" as `lineEnd`.
    [[nodiscard]] std::string text() const {
        const auto count = [](const auto& list) { return std::to_string(list.size()) + "\n"; };
        std::string s = "SIMISA@@@@@@@@@@JINX0s1t______\n\nshape (\n\tpoints ( " + count(points);
        for (const auto& p : points) s += "\t\tpoint ( " + p + " )\n";
        s += "\t)\n\tuv_points ( 1\n\t\tuv_point ( 0.5 0.5 )\n\t)\n\tmatrices ( " + count(matrices);
        for (std::size_t i = 0; i < matrices.size(); ++i)
            s += "\t\tmatrix BODY" + std::to_string(i) + " ( " + matrices[i] + " )\n";
        s += "\t)\n\timages ( 1\n\t\timage ( wall.ace )\n\t)\n\tvtx_states ( " + count(vertexStateMatrices);
        for (const auto& m : vertexStateMatrices) s += "\t\tvtx_state ( 00000000 " + m + " -5 0 00000002 )\n";
        s += "\t)\n\tprim_states ( 1\n\t\tprim_state wall ( 00000000 0\n\t\t\ttex_idxs ( 1 0 ) 0 0 0 0 "
             "1\n\t\t)\n\t)\n";
        s += "\tlod_controls ( 1\n\t\tlod_control (\n\t\t\tdistance_levels_header ( 0 "
             ")\n\t\t\tdistance_levels ( " +
             count(levels);
        int distance = 100;
        for (const auto& level : levels) {
            s += "\t\t\t\tdistance_level (\n\t\t\t\t\tdistance_level_header (\n\t\t\t\t\t\tdlevel_selection "
                 "( " +
                 std::to_string(distance++) + " )\n\t\t\t\t\t\thierarchy ( " + level.hierarchy +
                 " )\n\t\t\t\t\t)\n\t\t\t\t\tsub_objects ( " + count(level.subObjects);
            for (const auto& sub : level.subObjects) {
                s += "\t\t\t\t\t\tsub_object (\n\t\t\t\t\t\t\tsub_object_header ( 00000400 -1 -1 000001d2 "
                     "000001c4\n"
                     "\t\t\t\t\t\t\t)\n\t\t\t\t\t\t\tvertices ( " +
                     (sub.vertexCount.empty() ? count(sub.vertexPoints) : sub.vertexCount + "\n");
                for (int p : sub.vertexPoints)
                    s += "\t\t\t\t\t\t\t\tvertex ( 00000000 " + std::to_string(p) +
                         " 0 FFFFFFFF FF000000\n\t\t\t\t\t\t\t\t\tvertex_uvs ( 1 0 )\n\t\t\t\t\t\t\t\t)\n";
                s += "\t\t\t\t\t\t\t)\n\t\t\t\t\t\t\tvertex_sets ( " +
                     (sub.vertexSetCount.empty() ? count(sub.vertexSets) : sub.vertexSetCount + "\n");
                for (const auto& set : sub.vertexSets) s += "\t\t\t\t\t\t\t\tvertex_set ( " + set + " )\n";
                s += "\t\t\t\t\t\t\t)\n\t\t\t\t\t\t\tprimitives ( 1\n\t\t\t\t\t\t\t\tprim_state_idx ( 0 )\n"
                     "\t\t\t\t\t\t\t)\n\t\t\t\t\t\t)\n";
            }
            s += "\t\t\t\t\t)\n\t\t\t\t)\n";
        }
        s += "\t\t\t)\n\t\t)\n\t)\n)\n";
        std::string out;
        for (const char c : s) out += c == '\n' ? lineEnd : std::string(1, c);
        return out;
    }
};

/// What one reading and computation gave.
struct BoxOutcome {
    Status read;
    Expected<BoxValues> box = Error{"", "not computed"};
    std::vector<std::string> log; ///< oldest first
};

/// Reads `text` into `tables` (fresh ones when null) and computes the box, as the box command does.
inline BoxOutcome computeBox(const std::string& text, GeometryTables* tables = nullptr,
                             Language language = Language::English) {
    GeometryTables fresh;
    ProgramState state;
    state.gstrSprache = language;
    BoxOutcome outcome;
    GeometryTables& used = tables ? *tables : fresh;
    RecordingLog log;
    Task<Status> reading = liesShapeGeometrie(text, used, state, log);
    outcome.read = runToEnd(reading);
    outcome.log = log.lines;
    if (outcome.read.ok()) outcome.box = berechneBoundingBox(used, state.gintNachkommastellen);
    return outcome;
}

} // namespace quillfen::test

#include "bbox/BoundingBoxCalculation.h"

#include "bbox/ShapeNumbers.h"
#include "platform/Numbers.h"

#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace quillfen {

namespace {

Error failure(std::string reason) {
    return Error{"", std::move(reason)};
}

/// The matrices a point passes on its way from the matrix `start` up to the
/// root, in the order they are applied. Matrix 0 is never applied, and the
/// chain ends at the first matrix whose parent is below 1.
Expected<std::vector<std::int16_t>> parentChain(const GeometryTables& tables, std::int16_t start) {
    const auto hierarchySize = static_cast<long long>(tables.hierarchy.size());
    std::vector<std::int16_t> applied;
    long long matrix = start;
    for (long long visited = 1;; ++visited) {
        if (matrix > 0) {
            if (!tables.matrices.contains(matrix)) return failure("matrix index outside the matrices");
            applied.push_back(static_cast<std::int16_t>(matrix));
        }
        if (matrix < 0 || matrix >= hierarchySize) return failure("matrix index outside the hierarchy");
        const std::int16_t parent = tables.hierarchy[static_cast<std::size_t>(matrix)];
        if (parent < 1) return applied;
        // A chain without a loop visits each matrix at most once.
        if (visited >= hierarchySize) return failure("the hierarchy's parent links form a loop");
        matrix = parent;
    }
}

/// The points already taken through one chain, so each is moved only once
/// however many vertices use it (the extremes do not change by a repeat).
struct ChainUse {
    Expected<std::vector<std::int16_t>> matrices;
    std::vector<bool> pointSeen; ///< per filled point
    bool emptyPointSeen = false; ///< the points no record filled, all (0, 0, 0)
};

class Extremes {
public:
    void add(const Point& point) {
        const std::array<float, 3> values{point.x, point.y, point.z};
        for (std::size_t axis = 0; axis < 3; ++axis) {
            if (m_first || values[axis] < m_box[axis]) m_box[axis] = values[axis];
            if (m_first || values[axis] > m_box[axis + 3]) m_box[axis + 3] = values[axis];
        }
        m_first = false;
    }
    [[nodiscard]] BoxValues rounded(int decimalPlaces) const {
        BoxValues result{};
        for (std::size_t i = 0; i < result.size(); ++i)
            result[i] =
                static_cast<float>(roundHalfEven(static_cast<double>(m_box[i]), decimalPlaces)) + 0.0f;
        return result;
    }

private:
    bool m_first = true;
    BoxValues m_box{};
};

class BoxWalk {
public:
    explicit BoxWalk(const GeometryTables& tables) : m_tables(tables) {}

    Status addSubObject(const SubObject& subObject) {
        const auto& sets = subObject.vertexSets;
        for (std::size_t j = 0; j < sets.filledCount(); ++j)
            if (Status added = addVertexSet(subObject, sets.at(static_cast<long long>(j))); !added)
                return added;
        // The sets no record filled are all (0, 0, 0): one stands for them all.
        if (sets.size() > static_cast<long long>(sets.filledCount()))
            return addVertexSet(subObject, VertexSet{});
        return {};
    }

    [[nodiscard]] const Extremes& extremes() const { return m_extremes; }

private:
    Status addVertexSet(const SubObject& subObject, const VertexSet& set) {
        if (!m_tables.vertexStates.contains(set.vertexState))
            return failure("vertex-state index outside the table");
        const auto& stored = m_tables.vertexStates.at(set.vertexState);
        const auto start = stored ? matrixIndexFromStoredNumber(*stored) : std::nullopt;
        if (!start) return failure("vertex state without a usable matrix index");
        const long long first = set.firstVertex;
        const long long last = first + set.vertexCount - 1;
        if (last < first) return {};
        ChainUse& use = chainFrom(*start);
        if (!use.matrices) return use.matrices.error();
        for (long long vertex = first; vertex <= last; ++vertex) {
            if (!subObject.vertices.contains(vertex)) return failure("vertex index outside the vertex list");
            const std::int16_t pointIndex = subObject.vertices.at(vertex);
            if (!m_tables.points.contains(pointIndex)) return failure("point index outside the points");
            if (Status added = addPoint(use, pointIndex); !added) return added;
        }
        return {};
    }

    Status addPoint(ChainUse& use, std::int16_t pointIndex) {
        const auto index = static_cast<std::size_t>(pointIndex);
        if (index < use.pointSeen.size()) {
            if (use.pointSeen[index]) return {};
            use.pointSeen[index] = true;
        } else {
            if (use.emptyPointSeen) return {};
            use.emptyPointSeen = true;
        }
        Point point = m_tables.points.at(pointIndex);
        for (const std::int16_t matrix : *use.matrices)
            point = transformierePunkt(point, m_tables.matrices.at(matrix), true, true);
        if (!std::isfinite(point.x) || !std::isfinite(point.y) || !std::isfinite(point.z))
            return failure("a moved point lies beyond a 32-bit float");
        m_extremes.add(point);
        return {};
    }

    ChainUse& chainFrom(std::int16_t start) {
        auto found = m_chains.find(start);
        if (found == m_chains.end()) {
            ChainUse use{parentChain(m_tables, start), {}, false};
            use.pointSeen.assign(m_tables.points.filledCount(), false);
            found = m_chains.emplace(start, std::move(use)).first;
        }
        return found->second;
    }

    const GeometryTables& m_tables;
    std::unordered_map<std::int16_t, ChainUse> m_chains;
    Extremes m_extremes;
};

float rowTimesColumn(double first, double second, double third) {
    return static_cast<float>(first + second + third);
}

} // namespace

Point transformierePunkt(const Point& point, const Matrix& m, bool rotate, bool translate) {
    Point result = point;
    const double px = point.x;
    const double py = point.y;
    const double pz = point.z;
    if (rotate) {
        // Products in their own statements keep the compiler from fusing a
        // multiply into an add, so every sum rounds as a plain double sum.
        result.x = rowTimesColumn(px * m[0], py * m[3], pz * m[6]);
        result.y = rowTimesColumn(px * m[1], py * m[4], pz * m[7]);
        result.z = rowTimesColumn(px * m[2], py * m[5], pz * m[8]);
    }
    if (translate) {
        result.x = static_cast<float>(static_cast<double>(result.x) + m[9]);
        result.y = static_cast<float>(static_cast<double>(result.y) + m[10]);
        result.z = static_cast<float>(static_cast<double>(result.z) + m[11]);
    }
    return result;
}

Expected<BoxValues> berechneBoundingBox(const GeometryTables& tables, int decimalPlaces) {
    BoxWalk walk(tables);
    for (const SubObject& subObject : tables.subObjects)
        if (Status added = walk.addSubObject(subObject); !added) return added.error();
    return walk.extremes().rounded(decimalPlaces);
}

} // namespace quillfen

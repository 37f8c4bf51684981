#pragma once
// The geometry tables read from a shape file and the box computed from them.
// They belong to the window and outlive one computation: a section whose count
// reads as 0 leaves its table as an earlier computation filled it.

#include "platform/Expected.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillfen {

/// A table made with a fixed number of entries and filled record by record.
/// Entries that no record filled hold T{}; they take no memory, so a count far
/// larger than the records behind it cannot exhaust memory.
template <class T> class CountedTable {
public:
    CountedTable() = default;
    /// Room for the first records is taken at once (a count far beyond the
    /// records behind it takes no more than that).
    explicit CountedTable(long long size) : m_size(size) {
        m_filled.reserve(static_cast<std::size_t>(std::clamp(size, 0LL, kReservedAtMost)));
    }

    [[nodiscard]] long long size() const { return m_size; }
    [[nodiscard]] std::size_t filledCount() const { return m_filled.size(); }
    [[nodiscard]] bool contains(long long index) const { return index >= 0 && index < m_size; }

    /// The entry at `index`, which must lie inside the table.
    [[nodiscard]] const T& at(long long index) const {
        static const T empty{};
        const auto position = static_cast<std::size_t>(index);
        return position < m_filled.size() ? m_filled[position] : empty;
    }

    /// Stores the next record's entry; fails when the table has no room left.
    Status append(T value, const char* what) {
        if (static_cast<long long>(m_filled.size()) >= m_size)
            return Error{"", std::string("more ") + what + " records than their count"};
        m_filled.push_back(std::move(value));
        return {};
    }

private:
    static constexpr long long kReservedAtMost = 1 << 16;
    long long m_size = 0;
    std::vector<T> m_filled;
};

struct VertexSet {
    std::int16_t vertexState = 0;
    std::int16_t firstVertex = 0;
    std::int16_t vertexCount = 0;
};

struct SubObject {
    CountedTable<std::int16_t> vertices; ///< point index per vertex
    CountedTable<VertexSet> vertexSets;
};

struct Point {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

/// m0..m8: three rows of three; m9..m11: the translation.
using Matrix = std::array<float, 12>;

/// The six values of a bounding box: min x, min y, min z, max x, max y, max z.
using BoxValues = std::array<float, 6>;

struct GeometryTables {
    std::vector<std::int16_t> hierarchy; ///< parent matrix per matrix
    std::vector<SubObject> subObjects;   ///< of the first distance level only
    CountedTable<Point> points;
    /// The matrix index per vertex state as the number read; turned into a
    /// 16-bit index only when used. An entry no record filled is empty.
    CountedTable<std::optional<double>> vertexStates;
    CountedTable<Matrix> matrices;
    /// The last computed box.
    BoxValues result{};
};

} // namespace quillfen

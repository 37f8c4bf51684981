#include "bbox/ShapeGeometryReader.h"

#include "bbox/RecordScan.h"
#include "bbox/ShapeNumbers.h"
#include "platform/Numbers.h"
#include "platform/Text.h"

#include <limits>
#include <utility>

namespace quillfen {

namespace {

using Fields = std::array<double, RecordFieldReader::kMaxFields>;

Error failure(std::string reason) {
    return Error{"", std::move(reason)};
}

/// The text before the first `keyword`; a failure when the keyword is missing.
Expected<std::string_view> textBefore(std::string_view text, std::string_view keyword) {
    const std::size_t found = text.find(keyword);
    if (found == std::string_view::npos) return failure("no \"" + std::string(keyword) + "\" in the shape");
    return text.substr(0, found);
}

/// The text from the first `keyword` on, or the whole text when it is missing.
std::string_view fromKeywordIfPresent(std::string_view text, std::string_view keyword) {
    const std::size_t found = text.find(keyword);
    return found == std::string_view::npos ? text : text.substr(found);
}

/// The size of a table from the count read in front of its records; a count
/// that is not above 0 once whole (or beyond 32 bits) cannot make a table.
Expected<long long> tableSize(double countRead, const char* what) {
    const auto count = toCount(countRead);
    if (!count || *count <= 0) return failure(std::string("no usable count of ") + what);
    return *count;
}

Expected<std::vector<std::int16_t>> readHierarchy(std::string_view text) {
    constexpr std::string_view kKeyword = "hierarchy (";
    const std::size_t start = text.find(kKeyword);
    if (start == std::string_view::npos) return failure("no \"hierarchy (\" in the shape");
    std::string_view section = text.substr(start);
    const std::size_t close = section.find(')');
    section = close == std::string_view::npos ? std::string_view() : section.substr(0, close + 1);
    const std::string entries = trimBlanks(removeAll(removeAll(section, kKeyword), ")"));

    const auto count = toCount(readLeadingNumber(entries));
    if (!count || *count <= 0) return failure("hierarchy count of 0");
    const std::size_t firstBlank = entries.find(' ');
    if (firstBlank == std::string::npos) return failure("hierarchy without entries");
    const std::string parents = trimBlanks(std::string_view(entries).substr(firstBlank));

    std::vector<std::int16_t> hierarchy;
    std::size_t pieceStart = 0;
    for (long long i = 0; i < *count; ++i) {
        if (pieceStart > parents.size()) return failure("fewer hierarchy entries than their count");
        const std::size_t blank = parents.find(' ', pieceStart);
        const std::size_t pieceEnd = blank == std::string::npos ? parents.size() : blank;
        const auto whole = parseInteger(std::string_view(parents).substr(pieceStart, pieceEnd - pieceStart));
        if (!whole || *whole < std::numeric_limits<std::int16_t>::min() ||
            *whole > std::numeric_limits<std::int16_t>::max())
            return failure("hierarchy entry that is no 16-bit integer");
        hierarchy.push_back(static_cast<std::int16_t>(*whole));
        pieceStart = pieceEnd + 1;
    }
    return hierarchy;
}

/// The sub-object text of the first distance level.
Expected<std::string_view> firstLevelSubObjects(std::string_view text) {
    const std::size_t start = text.find("sub_objects (");
    if (start == std::string_view::npos) return failure("no \"sub_objects (\" in the shape");
    std::string_view subObjects = text.substr(start);
    const std::size_t nextLevel = subObjects.find("distance_level (");
    if (nextLevel != std::string_view::npos) subObjects = subObjects.substr(0, nextLevel);
    return subObjects;
}

/// Reads the records of one keyword into a table, a batch at a time.
template <class StoreRecord> class RecordFill {
public:
    RecordFill(std::string_view section, std::string_view keyword, LineCleaning cleaning, int fieldCount,
               StoreRecord store)
        : m_scanner(section, keyword), m_keyword(keyword), m_cleaning(cleaning), m_fieldCount(fieldCount),
          m_store(std::move(store)) {}

    /// Reads up to `budget` more records.
    Status readSome(std::size_t budget) {
        for (std::size_t i = 0; i < budget; ++i) {
            const auto line = m_scanner.next();
            if (!line) {
                m_finished = true;
                break;
            }
            if (Status stored = m_store(m_reader.read(*line, m_keyword, m_cleaning, m_fieldCount)); !stored)
                return stored;
            ++m_records;
        }
        return {};
    }
    [[nodiscard]] bool finished() const { return m_finished; }
    [[nodiscard]] long long records() const { return m_records; }

private:
    RecordScanner m_scanner;
    RecordFieldReader m_reader;
    std::string_view m_keyword;
    LineCleaning m_cleaning;
    int m_fieldCount;
    StoreRecord m_store;
    bool m_finished = false;
    long long m_records = 0;
};

Expected<std::int16_t> int16Field(double value, const char* what) {
    const auto whole = toInt16(value);
    if (!whole) return failure(std::string(what) + " does not fit a 16-bit integer");
    return *whole;
}

Expected<float> floatField(double value, const char* what) {
    const auto single = toFloat32(value);
    if (!single) return failure(std::string(what) + " lies beyond a 32-bit float");
    return *single;
}

Status storeVertex(SubObject& subObject, const Fields& fields) {
    const auto pointIndex = int16Field(fields[1], "point index");
    if (!pointIndex) return pointIndex.error();
    return subObject.vertices.append(*pointIndex, "vertex");
}

Status storeVertexSet(SubObject& subObject, const Fields& fields) {
    VertexSet set;
    for (auto [field, target] :
         {std::pair{0, &set.vertexState}, std::pair{1, &set.firstVertex}, std::pair{2, &set.vertexCount}}) {
        const auto value = int16Field(fields[static_cast<std::size_t>(field)], "vertex-set field");
        if (!value) return value.error();
        *target = *value;
    }
    return subObject.vertexSets.append(set, "vertex_set");
}

Status storePoint(CountedTable<Point>& points, const Fields& fields) {
    const auto x = floatField(fields[0], "point coordinate");
    const auto y = floatField(fields[1], "point coordinate");
    const auto z = floatField(fields[2], "point coordinate");
    if (!x) return x.error();
    if (!y) return y.error();
    if (!z) return z.error();
    return points.append(Point{*x, *y, *z}, "point");
}

Status storeMatrix(CountedTable<Matrix>& matrices, const Fields& fields) {
    Matrix matrix{};
    for (std::size_t i = 0; i < matrix.size(); ++i) {
        const auto value = floatField(fields[i], "matrix value");
        if (!value) return value.error();
        matrix[i] = *value;
    }
    return matrices.append(matrix, "matrix");
}

/// Reads a table's records, pausing after every batch.
template <class StoreRecord> Task<Status> readInBatches(RecordFill<StoreRecord>& records) {
    while (!records.finished()) {
        if (Status read = records.readSome(kRecordsPerPause); !read) co_return read;
        co_await yieldFor(0);
    }
    co_return Status{};
}

/// The vertices and vertex sets of one sub-object's piece of text.
Task<Status> readSubObject(std::string_view piece, SubObject& subObject, long long& vertexTotal) {
    const auto vertexCount = tableSize(numberBehind(piece, "vertices ( "), "vertices");
    if (!vertexCount) co_return vertexCount.error();
    subObject.vertices = CountedTable<std::int16_t>(*vertexCount);
    RecordFill vertexRecords(piece, "vertex (", LineCleaning::Plain, 2,
                             [&subObject](const Fields& fields) { return storeVertex(subObject, fields); });
    if (Status read = co_await readInBatches(vertexRecords); !read) co_return read;
    vertexTotal += vertexRecords.records();

    const auto vertexSetCount = tableSize(numberBehind(piece, "vertex_sets ( "), "vertex sets");
    if (!vertexSetCount) co_return vertexSetCount.error();
    subObject.vertexSets = CountedTable<VertexSet>(*vertexSetCount);
    RecordFill setRecords(piece, "vertex_set (", LineCleaning::Plain, 3,
                          [&subObject](const Fields& fields) { return storeVertexSet(subObject, fields); });
    co_return co_await readInBatches(setRecords);
}

/// The sub-objects of the first distance level; a count of 0 keeps the earlier table.
Task<Status> readSubObjects(std::string_view text, GeometryTables& tables, long long& vertexTotal) {
    const auto subObjectsText = firstLevelSubObjects(text);
    if (!subObjectsText) co_return subObjectsText.error();
    const double countRead = numberBehind(*subObjectsText, "sub_objects ( ");
    if (countRead <= 0) co_return Status{};
    const auto size = tableSize(countRead, "sub-objects");
    if (!size) co_return size.error();
    tables.subObjects.clear();
    const auto pieces = teileUnterobjekte(*subObjectsText, *size);
    if (!pieces) co_return pieces.error();
    for (const std::string_view piece : *pieces) {
        if (Status read = co_await readSubObject(piece, tables.subObjects.emplace_back(), vertexTotal); !read)
            co_return read;
    }
    co_return Status{};
}

/// The points in front of the texture coordinates (whose keyword also ends in
/// "point ("); a count of 0 keeps the earlier table.
Task<Status> readPoints(std::string_view text, GeometryTables& tables, long long& pointTotal) {
    const std::size_t uvPoints = text.find("uv_points");
    std::string_view pointsText =
        uvPoints == std::string_view::npos ? std::string_view() : text.substr(0, uvPoints + 1);
    const std::size_t primStates = pointsText.find("prim_states");
    if (primStates != std::string_view::npos) pointsText = pointsText.substr(0, primStates);
    const double countRead = numberBehind(pointsText, "points ( ");
    if (countRead <= 0) co_return Status{};
    const auto size = tableSize(countRead, "points");
    if (!size) co_return size.error();
    tables.points = CountedTable<Point>(*size);
    RecordFill pointRecords(pointsText, "point (", LineCleaning::Plain, 3,
                            [&tables](const Fields& fields) { return storePoint(tables.points, fields); });
    Status read = co_await readInBatches(pointRecords);
    pointTotal = pointRecords.records();
    co_return read;
}

/// The matrix index of each vertex state; a count of 0 keeps the earlier table.
Status readVertexStates(std::string_view text, GeometryTables& tables) {
    const auto beforePrimStates = textBefore(text, "prim_states");
    if (!beforePrimStates) return beforePrimStates.error();
    const std::string_view statesText = fromKeywordIfPresent(*beforePrimStates, "vtx_states");
    const double countRead = numberBehind(statesText, "vtx_states ( ");
    if (countRead <= 0) return {};
    const auto size = tableSize(countRead, "vertex states");
    if (!size) return size.error();
    tables.vertexStates = CountedTable<std::optional<double>>(*size);
    RecordFill stateRecords(
        statesText, "vtx_state (", LineCleaning::Plain, 2,
        [&tables](const Fields& fields) { return tables.vertexStates.append(fields[1], "vtx_state"); });
    return stateRecords.readSome(std::numeric_limits<std::size_t>::max());
}

/// The matrices, each record's name dropped; a count of 0 keeps the earlier table.
Status readMatrices(std::string_view text, GeometryTables& tables) {
    const auto beforeImages = textBefore(text, "images");
    if (!beforeImages) return beforeImages.error();
    const std::string_view matricesText = fromKeywordIfPresent(*beforeImages, "matrices");
    const double countRead = numberBehind(matricesText, "matrices ( ");
    if (countRead <= 0) return {};
    const auto size = tableSize(countRead, "matrices");
    if (!size) return size.error();
    tables.matrices = CountedTable<Matrix>(*size);
    RecordFill matrixRecords(
        matricesText, "matrix ", LineCleaning::DropName, 12,
        [&tables](const Fields& fields) { return storeMatrix(tables.matrices, fields); });
    return matrixRecords.readSome(std::numeric_limits<std::size_t>::max());
}

} // namespace

Expected<std::vector<std::string_view>> teileUnterobjekte(std::string_view text, long long count) {
    // Positions as the pieces were always cut: p, a and b count from 1; a search
    // "behind p" looks at the text after its first p characters.
    ForwardSearch vertices(text, "vertices (");
    ForwardSearch primitives(text, "primitives (");
    std::vector<std::string_view> pieces;
    std::size_t p = 0;
    for (long long i = 0; i < count; ++i) {
        const std::size_t foundA = vertices.from(p);
        const std::size_t foundB = primitives.from(p);
        // Without a "primitives (" behind p the piece is either cut backwards or
        // empty; both end the computation.
        if (foundB == std::string_view::npos) return failure("sub-object without \"primitives (\"");
        const std::size_t a = foundA == std::string_view::npos ? p : foundA + 1;
        const std::size_t b = foundB + 1;
        if (a == 0 || b < a) return failure("sub-object pieces out of order");
        pieces.push_back(text.substr(a - 1, b - a));
        p = b;
    }
    return pieces;
}

Task<Status> liesShapeGeometrie(std::string_view text, GeometryTables& tables, const ProgramState& state,
                                LogSink& log) {
    auto hierarchy = readHierarchy(text);
    if (!hierarchy) co_return hierarchy.error();
    tables.hierarchy = std::move(*hierarchy);

    long long vertexTotal = 0;
    if (Status read = co_await readSubObjects(text, tables, vertexTotal); !read) co_return read;
    if (vertexTotal > 0) log.log(state.text(TextId::LogBoxShapeVertices, {std::to_string(vertexTotal)}));

    long long pointTotal = 0;
    if (Status read = co_await readPoints(text, tables, pointTotal); !read) co_return read;
    if (pointTotal > 0) log.log(state.text(TextId::LogBoxShapePoints, {std::to_string(pointTotal)}));

    // These two tables are short: one pause after each.
    if (Status read = readVertexStates(text, tables); !read) co_return read;
    co_await yieldFor(0);
    if (Status read = readMatrices(text, tables); !read) co_return read;
    co_return Status{};
}

} // namespace quillfen

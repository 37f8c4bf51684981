// Any bytes as a shape file: the box reading and computing end in a box or a failure, never a crash or hang.

#include "bbox/BoundingBoxCalculation.h"
#include "bbox/RecordScan.h"
#include "bbox/ShapeGeometryReader.h"
#include "core/ProgramState.h"
#include "platform/TextCodec.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

namespace {

void computeTwice(std::string_view text, quillfen::GeometryTables& tables,
                  const quillfen::ProgramState& state) {
    // The second run sees the tables the first left behind, as a window does.
    for (int run = 0; run < 2; ++run) {
        quillfen::DiscardedLog log;
        auto reading = quillfen::liesShapeGeometrie(text, tables, state, log);
        const quillfen::Status read = quillfen::runToEnd(reading);
        if (read.ok()) (void)quillfen::berechneBoundingBox(tables, state.gintNachkommastellen);
    }
}

/// The lazy field reading must give what reading the whole cleaned line gives.
void compareFieldReadings(std::string_view line) {
    quillfen::RecordFieldReader reader;
    for (const auto& [keyword, cleaning] : {std::pair{"point (", quillfen::LineCleaning::Plain},
                                            std::pair{"matrix ", quillfen::LineCleaning::DropName}}) {
        const auto values = reader.read(line, keyword, cleaning, quillfen::RecordFieldReader::kMaxFields);
        const std::string cleaned = quillfen::cleanRecordLine(line, keyword, cleaning);
        for (int n = 1; n <= quillfen::RecordFieldReader::kMaxFields; ++n) {
            const double expected = quillfen::holeFeldWert(cleaned, n);
            const double actual = values[static_cast<std::size_t>(n - 1)];
            if (!(expected == actual || (std::isnan(expected) && std::isnan(actual)))) std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (size < 512) compareFieldReadings(bytes);
    quillfen::ProgramState state;
    quillfen::GeometryTables tables;
    computeTwice(bytes, tables, state);
    const std::string decoded = quillfen::decodeText(bytes);
    computeTwice(decoded, tables, state);
    return 0;
}

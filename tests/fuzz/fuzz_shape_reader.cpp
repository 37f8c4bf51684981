// Any bytes as a shape file, raw and as 8-bit text: a shape whose indices hold, or an error naming a
// line; the same with threads reading ahead.

#include "shape/ShapeReader.h"
#include "shape/ShapeText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

/// Every index the reader let through must lie inside its table.
void checkIndices(const quillfen::shape::Shape& shape) {
    for (const quillfen::shape::DistanceLevel& level : shape.distanceLevels)
        for (const quillfen::shape::SubObject& object : level.subObjects) {
            for (const quillfen::shape::ShapeVertex& vertex : object.vertices)
                if (static_cast<std::size_t>(vertex.point) >= shape.points.size()) std::abort();
            for (const quillfen::shape::TriangleList& list : object.triangleLists) {
                if (static_cast<std::size_t>(list.primState) >= shape.primStates.size()) std::abort();
                for (const std::uint32_t index : list.vertexIndices)
                    if (index >= object.vertices.size()) std::abort();
            }
        }
}

void read(std::string_view text) {
    const auto shape = quillfen::shape::readShapeText(text, {1});
    if (shape.ok())
        checkIndices(*shape);
    else if (shape.error().reason.rfind("line ", 0) != 0)
        std::abort();
    // Threads reading sub-objects ahead change nothing of the result.
    const auto shared = quillfen::shape::readShapeText(text, {3, 0});
    if (shared.ok() != shape.ok()) std::abort();
    if (shape.ok() ? !(*shared == *shape) : shared.error().reason != shape.error().reason) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    read(bytes);
    read(quillfen::shape::shapeTextFromBytes(bytes));
    return 0;
}

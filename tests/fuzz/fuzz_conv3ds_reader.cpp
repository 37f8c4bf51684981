// Any bytes given to the 3DS reader end in a scene (then built and written as a shape) or an error, never
// a crash, a hang or a runaway allocation.

#include "ShapeBuilder.h"
#include "ShapeText.h"
#include "ThreeDsReader.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto result = quillfen::conv3ds::readThreeDs(std::span<const std::uint8_t>(data, size));
    if (const auto* scene = std::get_if<quillfen::conv3ds::Scene>(&result)) {
        const auto shape = quillfen::conv3ds::buildShape({{scene, 100}}, "fuzz");
        (void)quillfen::conv3ds::shapeText(shape);
    }
    return 0;
}

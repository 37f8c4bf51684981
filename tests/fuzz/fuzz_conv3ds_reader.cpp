// Any bytes given to the 3DS reader end in a scene (then built and written as a shape) or an error, never a
// crash, a hang or a runaway allocation. Each input is read again with every chunk length fitted to what the
// chunk holds: random changes break enclosing lengths, and the fitted copy reaches the records behind them.

#include "ChunkIds.h"
#include "ShapeBuilder.h"
#include "ShapeText.h"
#include "ThreeDsReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace {

namespace chunk = quillfen::conv3ds::chunk;
using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kHeaderSize = 6;

bool holdsOnlyChunks(std::uint16_t id) {
    constexpr std::uint16_t containers[] = {chunk::kMain,       chunk::kEditor,   chunk::kTriangleMesh,
                                            chunk::kMaterial,   chunk::kDiffuse,  chunk::kTransparency,
                                            chunk::kTextureMap, chunk::kKeyframer};
    return std::ranges::find(containers, id) != std::end(containers) ||
           (id >= chunk::kObjectNode && id <= chunk::kSpotlightNode);
}

/// The bytes before the sub-chunks (an object's name, the face records); nullopt: no sub-chunks.
std::optional<std::size_t> leadingBytes(std::uint16_t id, std::span<const std::uint8_t> data) {
    if (holdsOnlyChunks(id)) return 0;
    if (id == chunk::kObject) {
        const auto zero = std::find(data.begin(), data.end(), std::uint8_t{0});
        return static_cast<std::size_t>(zero - data.begin()) + (zero == data.end() ? 0 : 1);
    }
    if (id == chunk::kFaceList && data.size() >= 2)
        return std::min(data.size(), 2 + 8 * std::size_t{static_cast<std::uint16_t>(data[0] | data[1] << 8)});
    return std::nullopt;
}

void appendChunk(Bytes& out, std::uint16_t id, const Bytes& body) {
    const auto length = static_cast<std::uint32_t>(kHeaderSize + body.size());
    out.insert(out.end(), {static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(id >> 8)});
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(length >> shift));
    out.insert(out.end(), body.begin(), body.end());
}

/// The chunks of `bytes` with each length set to what the chunk holds; a length beyond the parent ends
/// the chunk with its parent, and a header cut off at the end stays cut off.
Bytes withFittingLengths(std::span<const std::uint8_t> bytes) {
    Bytes out;
    std::size_t pos = 0;
    while (bytes.size() - pos >= kHeaderSize) {
        const auto id = static_cast<std::uint16_t>(bytes[pos] | bytes[pos + 1] << 8);
        std::size_t length = 0;
        for (std::size_t i = 5; i >= 2; --i) length = length << 8 | bytes[pos + i];
        length = std::clamp(length, kHeaderSize, bytes.size() - pos);
        const auto data = bytes.subspan(pos + kHeaderSize, length - kHeaderSize);
        Bytes body(data.begin(), data.end());
        if (const auto leading = leadingBytes(id, data)) {
            body.resize(*leading);
            const Bytes children = withFittingLengths(data.subspan(*leading));
            body.insert(body.end(), children.begin(), children.end());
        }
        appendChunk(out, id, body);
        pos += length;
    }
    out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(pos), bytes.end());
    return out;
}

void readAndConvert(std::span<const std::uint8_t> bytes) {
    const auto result = quillfen::conv3ds::readThreeDs(bytes);
    if (const auto* scene = std::get_if<quillfen::conv3ds::Scene>(&result)) {
        const auto shape = quillfen::conv3ds::buildShape({{scene, 100}}, "fuzz");
        (void)quillfen::conv3ds::shapeText(shape);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    readAndConvert(bytes);
    // An exact-size copy, so that reading one byte past the end is caught here too.
    const Bytes fitted = withFittingLengths(bytes);
    const auto copy = std::make_unique<std::uint8_t[]>(fitted.size());
    std::copy(fitted.begin(), fitted.end(), copy.get());
    readAndConvert({copy.get(), fitted.size()});
    return 0;
}

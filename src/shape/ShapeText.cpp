#include "shape/ShapeText.h"

#include "platform/TextCodec.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace quillfen::shape {

namespace {

enum class Encoding { Utf16Le, Utf8WithBom, EightBit };

Encoding encodingOf(const std::string& bytes) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') return Encoding::Utf16Le;
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) return Encoding::Utf8WithBom;
    // A shape file starts with its ASCII header, so a zero second byte means UTF-16 without a mark.
    if (bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0') return Encoding::Utf16Le;
    return Encoding::EightBit;
}

std::uint32_t unitAt(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8);
}

/// Narrows a run of ASCII units from `read` on into `write`, eight at a time;
/// returns with both behind the run.
void narrowAscii(std::string& bytes, std::size_t& read, std::size_t& write, std::size_t end) {
    static_assert(std::endian::native == std::endian::little, "units are packed as little-endian words");
    constexpr std::uint64_t kNotAscii = 0xFF80FF80FF80FF80ULL;
    char* const data = bytes.data();
    while (read + 16 <= end) {
        std::uint64_t low = 0;
        std::uint64_t high = 0;
        std::memcpy(&low, data + read, 8);
        std::memcpy(&high, data + read + 8, 8);
        if (((low | high) & kNotAscii) != 0) break;
        // Units b0 0 b1 0 b2 0 b3 0 (little-endian) become the bytes b0 b1 b2 b3.
        const auto pack = [](std::uint64_t units) {
            const std::uint64_t pairs = units | (units >> 8);
            return static_cast<std::uint32_t>((pairs & 0xFFFFU) | ((pairs >> 16) & 0xFFFF0000U));
        };
        const std::uint64_t packed = pack(low) | (static_cast<std::uint64_t>(pack(high)) << 32);
        std::memcpy(data + write, &packed, 8);
        read += 16;
        write += 8;
    }
}

/// UTF-16LE (from `start`) to UTF-8 in the same buffer. Where a character's UTF-8
/// form would overtake the units still unread, the rest is decoded into a copy.
std::string narrowUtf16(std::string bytes, std::size_t start) {
    const std::size_t end = start + ((bytes.size() - start) & ~std::size_t{1});
    std::size_t read = start;
    std::size_t write = 0;
    while (read < end) {
        narrowAscii(bytes, read, write, end);
        if (read >= end) break;
        const std::uint32_t unit = unitAt(bytes, read);
        if (unit < 0x80) {
            bytes[write++] = static_cast<char>(unit);
            read += 2;
            continue;
        }
        // The UTF-8 form ends before the next unit to read (write <= read always holds).
        if (unit < 0x800) {
            bytes[write++] = static_cast<char>(0xC0 | (unit >> 6));
            bytes[write++] = static_cast<char>(0x80 | (unit & 0x3F));
            read += 2;
            continue;
        }
        const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
        if (!surrogate && write + 3 <= read + 2) {
            bytes[write++] = static_cast<char>(0xE0 | (unit >> 12));
            bytes[write++] = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            bytes[write++] = static_cast<char>(0x80 | (unit & 0x3F));
            read += 2;
            continue;
        }
        // Rare: surrogate pairs, or wide characters right at the start. Decode the rest on the side.
        std::string rest = decodeUtf16Le(std::string_view(bytes).substr(read, end - read));
        bytes.resize(write);
        bytes += rest;
        return bytes;
    }
    bytes.resize(write);
    return bytes;
}

} // namespace

std::string shapeTextFromBytes(std::string bytes) {
    switch (encodingOf(bytes)) {
    case Encoding::Utf16Le: {
        const std::size_t start = bytes[0] == '\xFF' && bytes[1] == '\xFE' ? 2 : 0;
        return narrowUtf16(std::move(bytes), start);
    }
    case Encoding::Utf8WithBom:
        bytes.erase(0, 3);
        return bytes;
    case Encoding::EightBit:
        break;
    }
    return bytes;
}

std::string shapeNameText(std::string_view name) {
    if (isValidUtf8(name)) return std::string(name);
    return decodeWindows1252(name);
}

} // namespace quillfen::shape

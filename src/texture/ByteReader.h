#pragma once
// Little-endian reads from a file's bytes that never go past their end: a read
// beyond it leaves the reader failed and gives zeros, so a decoder checks once
// after a run of reads instead of before each one.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillfen::texture {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes, std::size_t position = 0)
        : m_bytes(bytes), m_position(position) {
        if (position > bytes.size()) fail();
    }

    [[nodiscard]] std::uint32_t u32() { return static_cast<std::uint32_t>(little(4)); }
    [[nodiscard]] std::uint64_t u64() { return little(8); }
    [[nodiscard]] std::uint16_t u16() { return static_cast<std::uint16_t>(little(2)); }
    /// The next `count` bytes, or an empty view (and failure) when fewer are left.
    [[nodiscard]] std::string_view take(std::size_t count) {
        if (!has(count)) {
            fail();
            return {};
        }
        const std::string_view part = m_bytes.substr(m_position, count);
        m_position += count;
        return part;
    }
    void skip(std::size_t count) { (void)take(count); }

    [[nodiscard]] bool has(std::size_t count) const { return m_ok && count <= m_bytes.size() - m_position; }
    [[nodiscard]] bool ok() const { return m_ok; }
    [[nodiscard]] std::size_t position() const { return m_position; }

private:
    std::uint64_t little(std::size_t count) {
        const std::string_view part = take(count);
        std::uint64_t value = 0;
        for (std::size_t i = part.size(); i-- > 0;) value = value << 8 | static_cast<std::uint8_t>(part[i]);
        return value;
    }
    void fail() {
        m_ok = false;
        m_position = m_bytes.size();
    }

    std::string_view m_bytes;
    std::size_t m_position = 0;
    bool m_ok = true;
};

/// Appends little-endian values to a byte string.
inline void putU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}
inline void putU64(std::string& out, std::uint64_t value) {
    for (int i = 0; i < 8; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

} // namespace quillfen::texture

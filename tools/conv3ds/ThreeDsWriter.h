#pragma once
// Writes a scene as a 3DS file. The example model's generator and the tests use
// it to make their 3DS files; the converter itself only reads.

#include "Scene.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillfen::conv3ds {

/// Builds nested chunks; each end() fills in the length of its begin().
class ChunkWriter {
public:
    void begin(std::uint16_t id);
    void end();
    void u8(std::uint8_t value) { m_bytes.push_back(value); }
    void u16(std::uint16_t value);
    void u32(std::uint32_t value);
    void f32(float value);
    void vec3(const Vec3& v);
    void cstring(const std::string& text);
    /// A whole chunk holding a zero-terminated text.
    void textChunk(std::uint16_t id, const std::string& text);

    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
    std::vector<std::size_t> m_open;
};

/// The scene as a complete 3DS file: meshes and materials in the editor chunk,
/// nodes (with their ids and parent ids) in the keyframer chunk.
[[nodiscard]] std::vector<std::uint8_t> writeThreeDs(const Scene& scene);

} // namespace quillfen::conv3ds

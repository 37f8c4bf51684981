#pragma once
// Test helper: small 3DS scenes made in code, and reading converter output back.

#include "Scene.h"
#include "ThreeDsWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillfen::test {

/// An axis-aligned box of 12 outward-facing triangles (3DS coordinates), with
/// mapping coordinates, one material group and a local matrix at its centre.
[[nodiscard]] conv3ds::Mesh boxMesh(const std::string& name, conv3ds::Vec3 centre, conv3ds::Vec3 size,
                                    const std::string& material);

/// One mesh and one material in a scene, ready to write.
[[nodiscard]] conv3ds::Scene oneBoxScene();

[[nodiscard]] conv3ds::Node objectNode(std::uint16_t id, const std::string& name,
                                       std::uint16_t parent = conv3ds::Node::kNoParent);

/// The bytes of a scene as a 3DS file.
[[nodiscard]] std::string threeDsBytes(const conv3ds::Scene& scene);

/// The scene written as a 3DS file and read back, so that node parents are resolved as in a real run.
[[nodiscard]] conv3ds::Scene throughFile(const conv3ds::Scene& scene);

/// The file's bytes.
[[nodiscard]] std::string readBytes(const std::string& path);

/// UTF-16LE-with-BOM bytes decoded to UTF-8.
[[nodiscard]] std::string decodeShape(const std::string& bytes);

} // namespace quillfen::test

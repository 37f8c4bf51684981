#pragma once
// The 3DS chunk ids the converter reads (and the example generator writes).

#include <cstdint>
#include <string>

namespace quillfen::conv3ds::chunk {

inline constexpr std::uint16_t kMain = 0x4D4D;
inline constexpr std::uint16_t kVersion = 0x0002;
inline constexpr std::uint16_t kEditor = 0x3D3D;
inline constexpr std::uint16_t kObject = 0x4000;
inline constexpr std::uint16_t kTriangleMesh = 0x4100;
inline constexpr std::uint16_t kVertexList = 0x4110;
inline constexpr std::uint16_t kFaceList = 0x4120;
inline constexpr std::uint16_t kFaceMaterial = 0x4130;
inline constexpr std::uint16_t kMappingCoords = 0x4140;
inline constexpr std::uint16_t kSmoothingGroups = 0x4150;
inline constexpr std::uint16_t kLocalMatrix = 0x4160;
inline constexpr std::uint16_t kMaterial = 0xAFFF;
inline constexpr std::uint16_t kMaterialName = 0xA000;
inline constexpr std::uint16_t kDiffuse = 0xA020;
inline constexpr std::uint16_t kTransparency = 0xA050;
inline constexpr std::uint16_t kTwoSided = 0xA081;
inline constexpr std::uint16_t kTextureMap = 0xA200;
inline constexpr std::uint16_t kMapFileName = 0xA300;
inline constexpr std::uint16_t kColorFloat = 0x0010;
inline constexpr std::uint16_t kColorByte = 0x0011;
inline constexpr std::uint16_t kLinColorByte = 0x0012;
inline constexpr std::uint16_t kLinColorFloat = 0x0013;
inline constexpr std::uint16_t kPercentInt = 0x0030;
inline constexpr std::uint16_t kPercentFloat = 0x0031;
inline constexpr std::uint16_t kKeyframer = 0xB000;
inline constexpr std::uint16_t kObjectNode = 0xB002;
inline constexpr std::uint16_t kCameraNode = 0xB003;
inline constexpr std::uint16_t kTargetNode = 0xB004;
inline constexpr std::uint16_t kLightNode = 0xB005;
inline constexpr std::uint16_t kLightTargetNode = 0xB006;
inline constexpr std::uint16_t kSpotlightNode = 0xB007;
inline constexpr std::uint16_t kNodeHeader = 0xB010;
inline constexpr std::uint16_t kInstanceName = 0xB011;
inline constexpr std::uint16_t kPivot = 0xB013;
inline constexpr std::uint16_t kNodeId = 0xB030;

/// "0x4120 (face list)": how error messages name a chunk.
[[nodiscard]] std::string describe(std::uint16_t id);

} // namespace quillfen::conv3ds::chunk

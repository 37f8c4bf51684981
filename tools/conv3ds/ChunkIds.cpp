#include "ChunkIds.h"

#include <cstdio>

namespace quillfen::conv3ds::chunk {
namespace {

const char* nameOf(std::uint16_t id) {
    switch (id) {
    case kMain:
        return "main";
    case kVersion:
        return "version";
    case kEditor:
        return "editor";
    case kObject:
        return "named object";
    case kTriangleMesh:
        return "triangle mesh";
    case kVertexList:
        return "vertex list";
    case kFaceList:
        return "face list";
    case kFaceMaterial:
        return "face material group";
    case kMappingCoords:
        return "mapping coordinates";
    case kSmoothingGroups:
        return "smoothing groups";
    case kLocalMatrix:
        return "local matrix";
    case kMaterial:
        return "material";
    case kMaterialName:
        return "material name";
    case kDiffuse:
        return "diffuse colour";
    case kTransparency:
        return "transparency";
    case kTwoSided:
        return "two-sided";
    case kTextureMap:
        return "texture map";
    case kMapFileName:
        return "map file name";
    case kColorFloat:
    case kColorByte:
    case kLinColorByte:
    case kLinColorFloat:
        return "colour";
    case kPercentInt:
    case kPercentFloat:
        return "percentage";
    case kKeyframer:
        return "keyframer";
    case kObjectNode:
        return "object node";
    case kCameraNode:
        return "camera node";
    case kTargetNode:
        return "target node";
    case kLightNode:
        return "light node";
    case kLightTargetNode:
        return "light target node";
    case kSpotlightNode:
        return "spotlight node";
    case kNodeHeader:
        return "node header";
    case kInstanceName:
        return "instance name";
    case kPivot:
        return "pivot";
    case kNodeId:
        return "node id";
    default:
        return "unknown";
    }
}

} // namespace

std::string describe(std::uint16_t id) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(id));
    return std::string(hex) + " (" + nameOf(id) + ")";
}

} // namespace quillfen::conv3ds::chunk

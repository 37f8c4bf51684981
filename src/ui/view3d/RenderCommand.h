#pragma once
// `quillfen-cli render`: a picture of a shape drawn by the 3D view's renderer
// without a window. The one header of src/ui that the command line includes;
// it holds no Qt type, so quillfen-cli itself stays free of Qt.

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

namespace quillfen::view3d {

struct RenderRequest {
    std::string shape;   ///< the s-file
    std::string picture; ///< the PNG file to write
    int width = 800;
    int height = 600;
    std::optional<std::size_t> level; ///< from 0, the nearest; the nearest when absent
    std::optional<float> yawDegrees;
    std::optional<float> pitchDegrees;
};

/// Draws the picture; returns the exit code: 0 (missing textures named on
/// `err`), 1 for a shape that cannot be read or drawn, 2 for a level the shape lacks.
int renderShapePicture(const RenderRequest& request, std::ostream& err);

} // namespace quillfen::view3d

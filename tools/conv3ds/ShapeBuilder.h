#pragma once
// Turns the 3DS scenes of all levels of detail into one shape: coordinates
// from Z up to Y up, one matrix per object below a root named after the model,
// points relative to their matrix, normals from the smoothing groups, and one
// sub-object per object and level (more where its vertices pass 65,535);
// untextured materials get a one-colour texture.

#include "Scene.h"
#include "Shape.h"

#include <string>
#include <vector>

namespace quillfen::conv3ds {

struct LevelInput {
    const Scene* scene = nullptr;
    long distance = 0;
};

/// The shader for a material: "BlendATexDiff" when it is named Trans…/Alph… (any
/// case) or is untextured and transparent, otherwise "TexDiff".
[[nodiscard]] std::string shaderFor(const Material& material);

/// The image name of the one-colour texture for an untextured material's colour:
/// "qf_colour_" and the colour as rrggbbaa, a name no modeller's texture has.
[[nodiscard]] std::string colourTextureName(const Rgba8& colour);

/// The image name for a texture file: its extension replaced by ".ace", letter case kept
/// (a name with blanks is written in double quotes, so it still names the file).
[[nodiscard]] std::string imageNameFor(const std::string& textureFile);

/// A name usable as one token of the s-file (blanks and brackets become "_").
[[nodiscard]] std::string tokenName(const std::string& name);

[[nodiscard]] Shape buildShape(const std::vector<LevelInput>& levels, const std::string& modelName);

} // namespace quillfen::conv3ds

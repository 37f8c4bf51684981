#pragma once
// The example model: a small gabled house, near (100 m) and far (500 m) level of detail.

#include "Scene.h"

namespace quillfen::example {

/// Walls, roof (two-sided, with overhang), an untextured chimney, windows (transparent) and a
/// door placed below the walls in the keyframer hierarchy.
[[nodiscard]] conv3ds::Scene nearHouse();

/// The same walls and roof without details, for the far level.
[[nodiscard]] conv3ds::Scene farHouse();

} // namespace quillfen::example

#include "texture/Image.h"

namespace quillfen::texture {

AlphaUse Image::alphaUse() const {
    AlphaUse use = AlphaUse::None;
    for (const Rgba& p : pixels) {
        if (p.a == 255) continue;
        if (p.a != 0) return AlphaUse::Blend;
        use = AlphaUse::Mask;
    }
    return use;
}

} // namespace quillfen::texture

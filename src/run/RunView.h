#pragma once
// The few controls the conversion run writes back while it runs. The window
// shows the values; the command line keeps them for the settings it saves.

#include <string>

namespace quillfen {

class RunView {
public:
    virtual ~RunView() = default;

    /// The bounding-box values in their normal form (`txtBBoxInput`) and the
    /// display line made from them (`txtBBox`).
    virtual void showBoundingBox(const std::string& input, const std::string& displayLine) = 0;
};

} // namespace quillfen

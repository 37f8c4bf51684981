#pragma once
// What the box command needs of the window beyond a long command's host: the
// s-file name box, the box-values input, the display line below it with its
// colour timer, and the locale's decimal separator.

#include <string>

namespace quillfen {

class BoxCommandView {
public:
    virtual ~BoxCommandView() = default;

    /// The text of txtSDateiName.
    [[nodiscard]] virtual std::string sFileNameText() const = 0;
    /// Sets the text of txtBBoxInput, which runs its change handling (the display
    /// line is rebuilt from it).
    virtual void setBoxInputText(const std::string& text) = 0;

    /// The window's bounding-box flag: while it is set, the display line's change
    /// handling leaves the line alone so a message can stand in it.
    virtual void setBoundingBoxFlag(bool running) = 0;
    /// Writes `text` into the display line txtBBox in pure red (colour value 255)
    /// and starts tmrBBoxLabel with `resetAfterMilliseconds`; its tick gives the
    /// line its normal text colour back.
    virtual void showBoxMessage(const std::string& text, int resetAfterMilliseconds) = 0;

    /// The user's decimal separator, for numbers shown in a question.
    [[nodiscard]] virtual char decimalSeparator() const = 0;
};

} // namespace quillfen

#pragma once
// Where the main window's controls stand, in twips (1/1440 inch), and how they
// move when the window is resized. The window turns twips into pixels at 15
// twips per pixel at 96 dots per inch, scaled by the screen's logical DPI.

#include <map>
#include <string>
#include <vector>

namespace quillfen::ui {

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const TwipRect&) const = default;
};

/// A control by its name and, for a member of a control array, its index (-1 otherwise).
struct ControlKey {
    std::string name;
    int index = -1;

    auto operator<=>(const ControlKey&) const = default;
};

/// The design position of one control; inside a frame or picture box the
/// position counts from the parent's corner.
struct DesignPosition {
    const char* control;
    int index;
    const char* parent; ///< "" for the window itself
    TwipRect rect;
};

/// The window's client area in the design.
inline constexpr int kDesignWidth = 11400;
inline constexpr int kDesignHeight = 11880;
/// The window is never lower than this (twips).
inline constexpr int kMinimumHeight = 6200;

/// Every control of the main window with its design position, parents before children.
const std::vector<DesignPosition>& designPositions();

using TwipLayout = std::map<ControlKey, TwipRect>;
/// The design positions as a layout to change.
[[nodiscard]] TwipLayout designLayout();

[[nodiscard]] int twipsToPixels(int twips, double logicalDpi);
[[nodiscard]] int pixelsToTwips(int pixels, double logicalDpi);

/// The three sizes the window records at load time (twips).
struct LoadSizes {
    int width = kDesignWidth;
    int height = kDesignHeight;
    int logHeight = 0;
};

struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize&) const = default;
};

/// The smallest size the controls are laid out in: the width at load time,
/// and the height that leaves the log `logMinimumHeight` twips under the
/// command row (never lower than kMinimumHeight). A smaller window scrolls.
[[nodiscard]] WindowSize minimumLayoutSize(const LoadSizes& load, int logMinimumHeight);

/// Moves the right-edge controls and stretches the wide fields and the log for
/// a window of width `width` and height `height` (twips), in the table's order.
void applyResizeRules(TwipLayout& layout, int width, int height, const LoadSizes& load);

} // namespace quillfen::ui

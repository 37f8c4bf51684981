#include "ui/Layout.h"

#include <algorithm>
#include <cmath>

namespace quillfen::ui {

namespace {

// Rows of the design, top to bottom.
constexpr int kMargin = 120;      // left edge of every band
constexpr int kRightMargin = 150; // gap between a stretching band and the right edge
constexpr int kBandWidth = kDesignWidth - kMargin - kRightMargin;
constexpr int kNameRow = 2310;
constexpr int kOptionBand = 2790;
constexpr int kRightColumn = 5640;
constexpr int kRefBand = 4860;
constexpr int kBoxBand = 6165;
constexpr int kCopyRow0 = 7875;
constexpr int kCopyRowStep = 420;
constexpr int kCommandRow = 9510;
// The two open buttons right of the name box are wider than in the first
// design (1020 and 1050 twips), taken from the name box: with the toolkit's
// button margins their captions "<- Explorer" and "<- 3D-View" did not fit.
constexpr int kViewLeftFromRight = 1260;
constexpr int kViewWidth = 1110;
constexpr int kExplorerLeftFromRight = 2510;
constexpr int kExplorerWidth = 1200;
constexpr int kNameBoxEndFromRight = kRightMargin + 2420;
constexpr int kLogTop = 10110;
constexpr int kLogHeight = kDesignHeight - kLogTop - 120;

constexpr int copyRow(int target) {
    return kCopyRow0 + target * kCopyRowStep;
}

} // namespace

const std::vector<DesignPosition>& designPositions() {
    static const std::vector<DesignPosition> positions = {
        // Language: the two flags above the language list, at the top right.
        {"Picture1", -1, "", {kDesignWidth - 1360, 90, 1210, 450}},
        {"pctGerman", -1, "Picture1", {45, 45, 540, 360}},
        {"pctEnglisch", -1, "Picture1", {615, 45, 540, 360}},
        {"cmbLang", -1, "", {kDesignWidth - 1410, 600, 1260, 330}},
        // The LOD files.
        {"lblLODsGefunden", -1, "", {kMargin, 660, 3600, 255}},
        {"lstLODListe", -1, "", {kMargin, 990, kBandWidth, 1230}},
        // The s-file name with the two explorer buttons at its right end.
        {"cmdVorschlagUebernehmen", -1, "", {kMargin, kNameRow, 2100, 375}},
        {"txtSDateiName", -1, "", {2280, kNameRow + 30, kDesignWidth - 2280 - kNameBoxEndFromRight, 315}},
        {"cmdShapeToExplorer",
         -1,
         "",
         {kDesignWidth - kExplorerLeftFromRight, kNameRow, kExplorerWidth, 375}},
        {"cmd3DView", -1, "", {kDesignWidth - kViewLeftFromRight, kNameRow, kViewWidth, 375}},
        // Alternative textures (left), mipmap and test options (right).
        {"fraTexturen", -1, "", {kMargin, kOptionBand, 5400, 1980}},
        {"optNurSommerTextur", -1, "fraTexturen", {150, 300, 5100, 255}},
        {"optSchneeTextur", -1, "fraTexturen", {150, 615, 5100, 255}},
        {"optSchneeUndNachtTextur", -1, "fraTexturen", {150, 930, 5100, 255}},
        {"optJahreszeitenTextur", -1, "fraTexturen", {150, 1245, 5100, 255}},
        {"optManuellAlternativTexture", -1, "fraTexturen", {150, 1560, 4800, 255}},
        {"txtESD_Alter_Tex", -1, "fraTexturen", {150 + 4800 - 580, 1545, 480, 285}},
        {"fraMipMap", -1, "", {kRightColumn, kOptionBand, 2100, 720}},
        {"cmbMipMap", -1, "fraMipMap", {150, 300, 1080, 315}},
        {"cmdMipMapHelp", -1, "fraMipMap", {1320, 285, 375, 345}},
        {"chkTestOptionen", -1, "", {kRightColumn, 3585, 3600, 255}},
        {"fraTestOptionen", -1, "", {kRightColumn, 3840, kBandWidth + kMargin - kRightColumn, 930}},
        {"chkAceUni", -1, "fraTestOptionen", {150, 90, 5300, 255}},
        {"chkShaderDiffuse", -1, "fraTestOptionen", {150, 345, 5300, 255}},
        {"chkShaderAddATexDiff", -1, "fraTestOptionen", {150, 600, 5300, 255}},
        // Reference entry.
        {"fraRef", -1, "", {kMargin, kRefBand, kBandWidth, 1215}},
        {"chkRefEintrag", -1, "fraRef", {120, 120, 3600, 255}},
        {"lblRefClass", -1, "fraRef", {120, 480, 1140, 255}},
        {"txtRefClass", -1, "fraRef", {1320, 450, kBandWidth - 1320 - 50, 315}},
        {"lblRefDescription", -1, "fraRef", {120, 840, 1140, 255}},
        {"txtRefDescription", -1, "fraRef", {1320, 810, kBandWidth - 1320 - 50, 315}},
        // Bounding box.
        {"fraBoundingBox", -1, "", {kMargin, kBoxBand, kBandWidth, 1620}},
        {"chkBoundingBox", -1, "fraBoundingBox", {120, 120, kBandWidth - 120 - 50, 255}},
        {"txtBBoxInput", -1, "fraBoundingBox", {120, 420, kBandWidth - 120 - 50, 315}},
        {"txtBBox", -1, "fraBoundingBox", {120, 780, kBandWidth - 120 - 50, 315}},
        {"cmdBoundingBoxKorr", -1, "fraBoundingBox", {120, 1155, 2400, 375}},
        {"cmdBBoxAusShape", -1, "fraBoundingBox", {2580, 1155, 3600, 375}},
        // The three copy targets and the shared texture switch.
        {"chkShapeTo", 0, "", {kMargin, copyRow(0) + 60, 255, 255}},
        {"cmdShapeCopy", 0, "", {435, copyRow(0), 3300, 375}},
        {"cmdPathOpen", 0, "", {3795, copyRow(0), 450, 375}},
        {"lblCopyPfad", 0, "", {4305, copyRow(0) + 30, kDesignWidth - 4305 - kRightMargin, 315}},
        {"chkShapeTo", 1, "", {kMargin, copyRow(1) + 60, 255, 255}},
        {"cmdShapeCopy", 1, "", {435, copyRow(1), 3300, 375}},
        {"cmdPathOpen", 1, "", {3795, copyRow(1), 450, 375}},
        {"lblCopyPfad", 1, "", {4305, copyRow(1) + 30, kDesignWidth - 4305 - kRightMargin, 315}},
        {"chkShapeTo", 2, "", {kMargin, copyRow(2) + 60, 255, 255}},
        {"cmdShapeCopy", 2, "", {435, copyRow(2), 3300, 375}},
        {"cmdPathOpen", 2, "", {3795, copyRow(2), 450, 375}},
        {"lblCopyPfad", 2, "", {4305, copyRow(2) + 30, kDesignWidth - 4305 - kRightMargin, 315}},
        {"chkTextureCopy", -1, "", {kMargin, copyRow(3) - 15, 5000, 255}},
        // Commands, the busy display and the quit button.
        {"cmdErzeugeShape", -1, "", {kMargin, kCommandRow, 2700, 495}},
        {"chkCMD_sichtbar", -1, "", {2940, kCommandRow + 120, 2400, 255}},
        {"cmdAbbruch", -1, "", {5400, kCommandRow, 2400, 495}},
        {"Picture2", -1, "", {7920, kCommandRow, 510, 495}},
        {"imgRunning01", -1, "Picture2", {15, 15, 480, 465}},
        {"imgRunning02", -1, "Picture2", {15, 15, 480, 465}},
        {"imgRunning03", -1, "Picture2", {15, 15, 480, 465}},
        {"imgRunning04", -1, "Picture2", {15, 15, 480, 465}},
        {"cmdQuit", -1, "", {kDesignWidth - kRightMargin - 1200, kCommandRow, 1200, 495}},
        // The progress log takes the rest.
        {"txtAusgabe", -1, "", {kMargin, kLogTop, kDesignWidth - 250, kLogHeight}},
    };
    return positions;
}

TwipLayout designLayout() {
    TwipLayout layout;
    for (const auto& position : designPositions()) layout[{position.control, position.index}] = position.rect;
    return layout;
}

int twipsToPixels(int twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / 1440.0));
}

int pixelsToTwips(int pixels, double logicalDpi) {
    return static_cast<int>(std::lround(pixels * 1440.0 / logicalDpi));
}

WindowSize minimumLayoutSize(const LoadSizes& load, int logMinimumHeight) {
    // The log's height follows the window's (see applyResizeRules), so the
    // height that gives the log its minimum is counted back from the load sizes.
    return {load.width, std::max(kMinimumHeight, load.height - load.logHeight + logMinimumHeight)};
}

namespace {

void stretchToRight(TwipRect& rect, int width) {
    rect.width = width - rect.left - kRightMargin;
}
void stretchInFrame(TwipRect& rect, const TwipRect& frame) {
    rect.width = frame.width - rect.left - 50;
}

} // namespace

void applyResizeRules(TwipLayout& layout, int width, int height, const LoadSizes& load) {
    const int w = width;
    layout[{"Picture1"}].left = w - 1360;
    layout[{"cmbLang"}].left = w - 1410;
    stretchToRight(layout[{"fraRef"}], w);
    stretchToRight(layout[{"lstLODListe"}], w);
    auto& name = layout[{"txtSDateiName"}];
    name.width = w - name.left - kNameBoxEndFromRight;
    layout[{"cmdShapeToExplorer"}].left = w - kExplorerLeftFromRight;
    layout[{"cmd3DView"}].left = w - kViewLeftFromRight;
    stretchInFrame(layout[{"txtRefClass"}], layout[{"fraRef"}]);
    stretchInFrame(layout[{"txtRefDescription"}], layout[{"fraRef"}]);
    stretchToRight(layout[{"fraBoundingBox"}], w);
    const TwipRect box = layout[{"fraBoundingBox"}];
    stretchInFrame(layout[{"chkBoundingBox"}], box);
    stretchInFrame(layout[{"txtBBox"}], box);
    stretchInFrame(layout[{"txtBBoxInput"}], box);
    for (int target = 0; target < 3; ++target) stretchToRight(layout[{"lblCopyPfad", target}], w);
    auto& log = layout[{"txtAusgabe"}];
    log.width = w - 250;
    const int logHeight = height - load.height + load.logHeight;
    if (logHeight > 0) log.height = logHeight;
}

} // namespace quillfen::ui

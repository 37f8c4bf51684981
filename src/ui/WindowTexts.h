#pragma once
// The main window's texts in German and English: the captions and tooltips
// that change with the language, the design texts that never change, the LOD
// count caption and the two layout values that follow the language.

#include <string>
#include <vector>

namespace quillfen::ui {

/// The texts of one control in both languages. A null pointer means the
/// property is not touched by a language switch and keeps its design text.
/// `index` is the element of a control array, -1 for a single control.
struct LanguageText {
    const char* control;
    int index;
    const char* captionGerman;
    const char* captionEnglish;
    const char* tooltipGerman;
    const char* tooltipEnglish;
};

/// Every control whose caption or tooltip follows the language, in the order
/// the language switch writes them.
const std::vector<LanguageText>& languageTexts();

enum class TextProperty { Caption, Tooltip };

/// A text that the language switch never touches.
struct DesignText {
    const char* control;
    int index;
    TextProperty property;
    const char* text;
};

/// The design texts of the window (captions and tooltips that are the same in
/// both languages, and the design captions that the first language switch
/// replaces).
const std::vector<DesignText>& designTexts();

/// The entries of `cmbLang`, in list order.
const std::vector<std::string>& languageEntries();

/// The caption of `lblLODsGefunden` for `count` LOD files ("1 LOD found:",
/// "0 LODs found:", "2 LODs gefunden:").
[[nodiscard]] std::string lodCountCaption(int count, bool german);

/// Where the manual alternative-texture option and its number box stand, in
/// twips: the option's width and how far before its right end the box begins.
struct LanguageLayout {
    int manualOptionWidth;
    int numberBoxBeforeEnd;
};
[[nodiscard]] LanguageLayout languageLayout(bool german);

} // namespace quillfen::ui

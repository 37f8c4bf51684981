#pragma once
// Which text of the catalogue each control of the main window shows: its
// caption and its tooltip. The texts themselves live in core/Texts.cpp.

#include "core/Texts.h"
#include "ui/WindowControls.h"

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace quillfen::ui {

/// A control's caption and tooltip; an empty id leaves that property alone.
struct ControlTexts {
    QWidget* control;
    std::optional<TextId> caption;
    std::optional<TextId> tooltip;
};

/// Every control with a text, in the order the language switch writes them.
[[nodiscard]] std::vector<ControlTexts> windowTexts(const WindowControls& c);

/// Writes the captions and tooltips of `language` into the controls.
void applyWindowTexts(const WindowControls& c, Language language);

/// The caption of `lblLODsGefunden` for `count` LOD files ("1 LOD found:",
/// "0 LODs found:", "2 LODs gefunden:").
[[nodiscard]] std::string lodCountCaption(int count, Language language);

} // namespace quillfen::ui

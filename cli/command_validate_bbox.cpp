#include "Commands.h"

#include "bbox/BoxValidation.h"
#include "core/ProgramState.h"

#include <iostream>

namespace quillfen::cli {

void addValidateBboxCommand(CLI::App& app, int& exitCode) {
    auto* command =
        app.add_subcommand("validate-bbox", "Print the bounding-box values of TEXT in their normal form");
    // The one argument is the text, also when it starts with "-" (a negative value), so it is
    // taken as it comes instead of being read as an option.
    command->allow_extras();
    command->footer("TEXT: the six values, e.g. \"-1.5 0 -2 1.5 3 2\" (one argument)");
    command->callback([command, &exitCode] {
        const auto texts = command->remaining();
        if (texts.size() != 1) {
            std::cerr << "quillfen-cli validate-bbox: expects the values as one TEXT\n\n" << command->help();
            exitCode = kExitUsage;
            return;
        }
        std::cout << validiereBoundingBox(texts.front(), ProgramState{}.gintNachkommastellen) << '\n';
        exitCode = 0;
    });
}

} // namespace quillfen::cli

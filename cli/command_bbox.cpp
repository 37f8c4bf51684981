#include "Commands.h"

#include "app/ProgramState.h"
#include "bbox/BoundingBoxCalculation.h"
#include "bbox/BoxCommand.h"
#include "bbox/BoxValidation.h"
#include "bbox/BoxValuesText.h"
#include "bbox/ShapeGeometryReader.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"

#include <iostream>
#include <vector>

namespace quillfen::cli {

int runBbox(const Arguments& args) {
    if (args.size() != 1) {
        std::cerr << "Usage: quillfen-cli bbox FILE.s\n";
        return 2;
    }
    const std::string& path = args.front();
    const ProgramState state;
    LocalFileSystem fileSystem;
    if (!fileSystem.fileExists(path)) {
        std::cerr << shapeNotFoundText(state, fileNameOf(path)) << '\n';
        return 1;
    }
    const Expected<std::string> text = fileSystem.readText(path);
    std::vector<std::string> logLines; // oldest first
    GeometryTables tables;
    const bool read =
        text.ok() && liesShapeGeometrie(*text, tables, state,
                                        [&logLines](const std::string& line) { logLines.push_back(line); })
                         .runToEnd()
                         .ok();
    const Expected<BoxValues> box =
        read ? berechneBoundingBox(tables, state.gintNachkommastellen) : Expected<BoxValues>(Error{});
    for (const std::string& line : logLines) std::cout << line << '\n';
    if (!box.ok()) {
        std::cerr << kBoxFailureText << '\n';
        return 1;
    }
    const std::string values = boxValuesText(*box, userDecimalSeparator());
    std::cout << "•BoundingBox: " << boxDisplayLine(values) << '\n';
    std::cout << boxDisplayLine(handOverBoxValues(values)) << '\n';
    return 0;
}

} // namespace quillfen::cli

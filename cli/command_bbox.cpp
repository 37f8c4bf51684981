// quillfen-cli bbox FILE.s: the box the window's box command computes, printed
// with the log lines of its computation.

#include "Commands.h"

#include "bbox/BoxCommand.h"
#include "bbox/BoxValidation.h"
#include "bbox/BoxValuesText.h"
#include "core/ProgramState.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"

#include <iostream>
#include <memory>

namespace quillfen::cli {

namespace {

/// Prints each line as it is logged (oldest first).
class PrintedLog final : public LogSink {
public:
    void log(const std::string& line) override { std::cout << line << '\n'; }
};

} // namespace

int runBbox(const std::string& path) {
    const ProgramState state;
    const LocalFileSystem fileSystem;
    if (!fileSystem.fileExists(path)) {
        std::cerr << state.text(TextId::MessageShapeNotFound, {fileNameOf(path)}) << '\n';
        return 1;
    }
    GeometryTables tables;
    PrintedLog log;
    Task<Expected<BoxValues>> computation = boxOfShapeFile(path, tables, state, fileSystem, log);
    const Expected<BoxValues>& box = runToEnd(computation);
    if (!box) {
        std::cerr << state.text(TextId::BoxFailure) << '\n';
        return 1;
    }
    const std::string values = boxValuesText(*box, userDecimalSeparator());
    std::cout << "•BoundingBox: " << boxDisplayLine(values) << '\n';
    std::cout << boxDisplayLine(handOverBoxValues(values)) << '\n';
    return 0;
}

void addBboxCommand(CLI::App& app, int& exitCode) {
    auto* command = app.add_subcommand("bbox", "Compute the bounding box of FILE.s's first level of detail");
    auto file = std::make_shared<std::string>();
    command->add_option("FILE.s", *file, "the s-file")->required();
    command->callback([file, &exitCode] { exitCode = runBbox(*file); });
}

} // namespace quillfen::cli

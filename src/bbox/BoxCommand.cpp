#include "bbox/BoxCommand.h"

#include "bbox/BoundingBoxCalculation.h"
#include "bbox/BoxValidation.h"
#include "bbox/BoxValuesText.h"
#include "bbox/ShapeGeometryReader.h"
#include "core/ShapePaths.h"
#include "sfile/SFileNaming.h"

namespace quillfen {

Task<Expected<BoxValues>> boxOfShapeFile(const std::string& path, GeometryTables& tables,
                                         const ProgramState& state, const FileSystem& fileSystem,
                                         LogSink& log) {
    Expected<std::string> text = fileSystem.readText(path);
    if (!text) co_return text.error();
    if (Status read = co_await liesShapeGeometrie(*text, tables, state, log); !read) co_return read.error();
    co_return berechneBoundingBox(tables, state.gintNachkommastellen);
}

namespace {

enum class BoxEnd { Offered, NoShape, Failed };

/// Computes the box of the s-file the name box names and offers it to the user.
Task<BoxEnd> computeAndOffer(const ProgramState& state, GeometryTables& tables, FileSystem& fileSystem,
                             CommandHost& host, BoxCommandView& view) {
    const ShapePaths paths = ShapePaths::of(state.gstrProgrammPfad, MitEndungS(view.sFileNameText()));
    if (!fileSystem.fileExists(paths.sFile)) {
        // Not an error: the user may simply not have converted yet.
        view.showBoxMessage(state.text(TextId::MessageShapeNotFound, {paths.sFileName}),
                            kBoxMessageMilliseconds);
        co_return BoxEnd::NoShape;
    }
    const Expected<BoxValues> box = co_await boxOfShapeFile(paths.sFile, tables, state, fileSystem, host);
    if (!box) co_return BoxEnd::Failed;
    tables.result = *box;
    const std::string values = boxValuesText(tables.result, view.decimalSeparator());
    host.log("•BoundingBox: " + boxDisplayLine(values));
    if (host.askYesNo("", state.text(TextId::MessageTakeBox, {boxDisplayLine(values)})))
        view.setBoxInputText(handOverBoxValues(values));
    co_return BoxEnd::Offered;
}

} // namespace

CommandTask cmdBBoxAusShape(const ProgramState& state, GeometryTables& tables, FileSystem& fileSystem,
                            CommandHost& host, BoxCommandView& view) {
    host.lockControls();
    view.setBoundingBoxFlag(true);
    host.setBusyDisplay(true);
    BoxEnd end = BoxEnd::Failed;
    // Whatever goes wrong, the window must be given back.
    try {
        end = co_await computeAndOffer(state, tables, fileSystem, host, view);
    } catch (...) {
        end = BoxEnd::Failed;
    }
    if (end == BoxEnd::Failed) view.showBoxMessage(state.text(TextId::BoxFailure), kBoxMessageMilliseconds);
    host.setBusyDisplay(false);
    view.setBoundingBoxFlag(false);
    host.releaseControls();
    co_return end == BoxEnd::Failed ? 1 : 0;
}

} // namespace quillfen

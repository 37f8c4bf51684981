#include "bbox/BoxCommand.h"

#include "bbox/BoundingBoxCalculation.h"
#include "bbox/BoxValidation.h"
#include "bbox/BoxValuesText.h"
#include "bbox/ShapeGeometryReader.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "sfile/SFileNaming.h"

#include <optional>

namespace quillfen {

std::string shapeNotFoundText(const ProgramState& state, const std::string& name) {
    return state.pick("Shape-Datei " + name + " (noch) nicht gefunden!",
                      "Shape file " + name + " not found (yet)!");
}

namespace {

/// The steps of one run of the command, each guarded so that nothing thrown
/// can leave the window locked. (The coroutine itself holds no try block.)
class BoxCommandRun {
public:
    BoxCommandRun(ProgramState& state, GeometryTables& tables, FileSystem& fileSystem, CommandHost& host,
                  BoxCommandView& view)
        : m_state(state), m_tables(tables), m_fileSystem(fileSystem), m_host(host), m_view(view) {}

    /// Locks the window and opens the s-file; true when there is geometry to read.
    bool start() {
        return guarded([this] {
            m_host.lockControls();
            m_view.setBoundingBoxFlag(true);
            m_host.setBusyDisplay(true);
            m_state.gstrSDateiName = MitEndungS(m_view.sFileNameText());
            const std::string path =
                joinPath(joinPath(m_state.gstrProgrammPfad, "SHAPES"), m_state.gstrSDateiName);
            if (!m_fileSystem.fileExists(path)) {
                // Not an error: the user may simply not have converted yet.
                m_view.showBoxMessage(shapeNotFoundText(m_state, m_state.gstrSDateiName),
                                      kBoxMessageMilliseconds);
                return false;
            }
            Expected<std::string> text = m_fileSystem.readText(path);
            if (!text.ok()) {
                m_failed = true;
                return false;
            }
            m_text = std::move(*text);
            m_reading.emplace(liesShapeGeometrie(m_text, m_tables, m_state,
                                                 [this](const std::string& line) { m_host.log(line); }));
            return true;
        });
    }

    /// Reads on up to the next pause; true once the reading has ended.
    bool readSome() {
        bool ended = true;
        guarded([this, &ended] {
            ended = m_reading->resume();
            if (ended) m_failed = !m_reading->status().ok();
            return true;
        });
        return ended;
    }

    /// Computes the box, asks the user and releases the window; the exit code.
    int finish() {
        if (m_reading && !m_failed) guarded([this] { return offerBox(); });
        guarded([this] {
            if (m_failed) m_view.showBoxMessage(std::string(kBoxFailureText), kBoxMessageMilliseconds);
            return true;
        });
        guarded([this] {
            m_host.setBusyDisplay(false);
            m_view.setBoundingBoxFlag(false);
            m_host.releaseControls();
            return true;
        });
        return m_failed ? 1 : 0;
    }

private:
    bool offerBox() {
        const Expected<BoxValues> box = berechneBoundingBox(m_tables, m_state.gintNachkommastellen);
        m_failed = !box.ok();
        if (m_failed) return false;
        m_tables.result = *box;
        const std::string values = boxValuesText(m_tables.result, m_view.decimalSeparator());
        m_host.log("•BoundingBox: " + boxDisplayLine(values));
        if (m_host.askYesNo("", boxQuestionText(values, m_state.isGerman())))
            m_view.setBoxInputText(handOverBoxValues(values));
        return true;
    }

    /// Runs one step; anything thrown counts as a failure of the computation.
    template <class Step> bool guarded(Step step) {
        try {
            return step();
        } catch (...) {
            m_failed = true;
            return false;
        }
    }

    ProgramState& m_state;
    GeometryTables& m_tables;
    FileSystem& m_fileSystem;
    CommandHost& m_host;
    BoxCommandView& m_view;
    bool m_failed = false;
    std::string m_text; // read by m_reading, so declared before it
    std::optional<Steps> m_reading;
};

} // namespace

QUILLFEN_COROUTINE CommandTask cmdBBoxAusShape(ProgramState& state, GeometryTables& tables,
                                               FileSystem& fileSystem, CommandHost& host,
                                               BoxCommandView& view) {
    BoxCommandRun run(state, tables, fileSystem, host, view);
    if (run.start())
        while (!run.readSome()) co_await yieldFor{0.0};
    co_return run.finish();
}

} // namespace quillfen

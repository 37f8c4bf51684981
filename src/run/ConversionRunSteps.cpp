#include "run/ConversionRunSteps.h"

#include "bbox/BoxValidation.h"
#include "run/ConversionRunTexts.h"
#include "run/HostLogSink.h"
#include "run/ReferenceEntry.h"
#include "run/RouteCopies.h"
#include "run/ShapeDescriptor.h"
#include "sfile/LogSink.h"
#include "sfile/ShaderOptions.h"
#include "sfile/TextureCollection.h"
#include "sfile/TextureCorrection.h"

namespace quillfen {

namespace {

struct FailureTexts {
    const char* german;
    const char* english;
};

FailureTexts failureTexts(FailedStep step) {
    switch (step) {
    case FailedStep::ReadFolder:
        return {"•kann das Verzeichnis nicht lesen: ", "•can't read the directory: "};
    case FailedStep::DeleteStaleSFile:
        return {"•kann alte s-Datei nicht löschen: ", "•can't delete old s-file: "};
    case FailedStep::CreateShapes:
        return {"•kann Verzeichnis SHAPES nicht erzeugen: ", "•can't create the directory SHAPES: "};
    case FailedStep::DeleteOldShapesSFile:
        return {"•kann alte s-Datei in SHAPES nicht löschen: ", "•can't delete old s-file in SHAPES: "};
    case FailedStep::MoveSFile:
        return {"•kann neue s-Datei nicht nach SHAPES verschieben: ", "•can't move new s-file to SHAPES: "};
    case FailedStep::WriteSdFile:
        return {"•kann sd-Datei nicht schreiben: ", "•can't write sd-file: "};
    case FailedStep::EditSFile:
        return {"•kann s-Datei nicht bearbeiten: ", "•can't edit s-file: "};
    case FailedStep::CopyToTarget:
        return {"•kann nicht ins Ziel kopieren: ", "•can't copy to target: "};
    case FailedStep::WriteReference:
        return {"•kann AddToRef.txt nicht schreiben: ", "•can't write AddToRef.txt: "};
    case FailedStep::Unexpected:
        break;
    }
    return {"•unerwarteter Fehler, Lauf beendet: ", "•unexpected error, run ended: "};
}

bool ticked(int checkState) {
    return checkState != 0;
}

} // namespace

void logFailure(const RunServices& s, FailedStep step, const Error& error) {
    const FailureTexts failure = failureTexts(step);
    logPick(s.state, s.host, failure.german + error.message(), failure.english + error.message());
}

void validateBoundingBoxForRun(RunServices& s, RunChoices& choices) {
    // The sd-file gets the values in their normal form, and the window shows them so.
    choices.txtBBoxInput = validiereBoundingBox(choices.txtBBoxInput, s.state.gintNachkommastellen);
    choices.txtBBox = boxDisplayLine(choices.txtBBoxInput);
    s.view.showBoundingBox(choices.txtBBoxInput, choices.txtBBox);
}

bool writeSdFileForRun(RunServices& s, const RunChoices& choices) {
    ShapeDescriptorChoices descriptor;
    descriptor.texture.optNurSommerTextur = choices.optNurSommerTextur;
    descriptor.texture.optSchneeTextur = choices.optSchneeTextur;
    descriptor.texture.optSchneeUndNachtTextur = choices.optSchneeUndNachtTextur;
    descriptor.texture.optJahreszeitenTextur = choices.optJahreszeitenTextur;
    descriptor.texture.optManuellAlternativTexture = choices.optManuellAlternativTexture;
    descriptor.texture.txtESD_Alter_Tex = choices.txtESD_Alter_Tex;
    descriptor.chkBoundingBox = choices.chkBoundingBox;
    descriptor.txtBBoxInput = choices.txtBBoxInput;
    descriptor.txtBBox = choices.txtBBox;
    HostLogSink log(s.host);
    if (Status written = writeShapeDescriptor(descriptor, s.state, s.fileSystem, log); !written) {
        logFailure(s, FailedStep::WriteSdFile, written.error());
        return false;
    }
    return true;
}

bool editSFileForRun(RunServices& s, const RunChoices& choices) {
    HostLogSink log(s.host);
    const ProgramState& state = s.state;

    TextureCorrectionChoices correction;
    correction.chkAceUni = choices.chkAceUni;
    correction.chkShaderDiffuse = choices.chkShaderDiffuse;
    correction.cmbMipMap = choices.cmbMipMap;
    correction.decimalSeparator = s.decimalSeparator;
    if (Status corrected = KorrigiereTexturen(correction, state, s.fileSystem, log); !corrected) {
        logFailure(s, FailedStep::EditSFile, corrected.error());
        return false;
    }

    if (ticked(choices.chkAceUni)) {
        auto kept = SetzeEineTextur(state, s.fileSystem);
        if (!kept) {
            logFailure(s, FailedStep::EditSFile, kept.error());
            return false;
        }
        logPick(state, s.host, "•s-Datei benötigt nur die Textur: " + kept.value(),
                "•s-file requires only the texture: " + kept.value());
    }
    if (ticked(choices.chkShaderDiffuse)) {
        if (Status diffuse = SetzeShaderDiffuse(state, s.fileSystem); !diffuse) {
            logFailure(s, FailedStep::EditSFile, diffuse.error());
            return false;
        }
        logPick(state, s.host,
                "•alle shader in s-Datei in 'Diffuse' geändert. s-Datei braucht keine Texturen!",
                "•s-file has only the shader 'Diffuse'. s-file not use any ace-texture!");
        logPick(state, s.host, "•alle Images in s-Datei in 'TextureDummy.ace' umbenannt.",
                "•all images in s-file renamed as 'TextureDummy.ace'.");
    }
    if (ticked(choices.chkShaderAddATexDiff)) {
        if (Status glassy = SetzeShaderAddATexDiff(state, s.fileSystem); !glassy) {
            logFailure(s, FailedStep::EditSFile, glassy.error());
            return false;
        }
        logPick(state, s.host, "•gläserne s-Datei in MSTS. Alle shader in s-Datei in 'AddATexDiff' geändert.",
                "•s-file shown glassy in MSTS. s-file has only the shader 'AddATexDiff'.");
        logPick(state, s.host, "•In Open Rails keine gläserne Darstellung.",
                "•In Open Rails no glassy appearance.");
    }
    // A texture that cannot be collected is logged there and does not end the run.
    KopiereTexturen(state, s.fileSystem, log);
    return true;
}

CommandTask copyToTargetsForRun(RunServices& s, const RunChoices& choices) {
    CopyChoices copies;
    for (std::size_t i = 0; i < copies.targets.size(); ++i)
        copies.targets[i] = CopyTarget{choices.chkShapeTo[i], choices.lblCopyPfad[i]};
    copies.chkTextureCopy = choices.chkTextureCopy;
    HostLogSink log(s.host);
    if (Status copied = copyToTargets(copies, s.state, s.fileSystem, log); !copied) {
        logFailure(s, FailedStep::CopyToTarget, copied.error());
        co_return static_cast<int>(RunEnd::Failed);
    }
    co_return -1;
}

bool writeReferenceEntryForRun(RunServices& s, const RunChoices& choices) {
    const ReferenceChoices reference{choices.chkRefEintrag, choices.txtRefClass, choices.txtRefDescription};
    HostLogSink log(s.host);
    if (Status written = writeReferenceEntry(reference, s.state, s.fileSystem, log); !written) {
        logFailure(s, FailedStep::WriteReference, written.error());
        return false;
    }
    return true;
}

} // namespace quillfen

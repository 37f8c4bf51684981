#include "run/ConversionRunSteps.h"

#include "app/FolderListing.h"
#include "bbox/BoxValidation.h"
#include "core/LogSink.h"
#include "run/MissingTextures.h"
#include "run/ReferenceEntry.h"
#include "run/RouteCopies.h"
#include "run/ShapeDescriptor.h"
#include "sfile/ShaderOptions.h"
#include "sfile/TextureCollection.h"
#include "sfile/TextureCorrection.h"

namespace quillfen {

namespace {

TextId failureText(FailedStep step) {
    switch (step) {
    case FailedStep::ReadFolder:
        return TextId::LogFailReadFolder;
    case FailedStep::DeleteStaleSFile:
        return TextId::LogFailDeleteStaleSFile;
    case FailedStep::CreateShapes:
        return TextId::LogFailCreateShapes;
    case FailedStep::MoveSFile:
        return TextId::LogFailMoveSFile;
    case FailedStep::WriteSdFile:
        return TextId::LogFailWriteSdFile;
    case FailedStep::EditSFile:
        return TextId::LogFailEditSFile;
    case FailedStep::CopyToTarget:
        return TextId::LogFailCopyToTarget;
    case FailedStep::WriteReference:
        return TextId::LogFailWriteReference;
    case FailedStep::Unexpected:
        break;
    }
    return TextId::LogFailUnexpected;
}

bool ticked(int checkState) {
    return checkState != 0;
}

} // namespace

void logFailure(const RunServices& s, FailedStep step, const Error& error) {
    s.host.log(s.state.text(failureText(step)) + error.message());
}

void validateBoundingBoxForRun(RunServices& s, RunChoices& choices) {
    // The sd-file gets the values in their normal form, and the window shows them so.
    choices.txtBBoxInput = validiereBoundingBox(choices.txtBBoxInput, s.state.gintNachkommastellen);
    choices.txtBBox = boxDisplayLine(choices.txtBBoxInput);
    s.view.showBoundingBox(choices.txtBBoxInput, choices.txtBBox);
}

bool writeSdFileForRun(RunServices& s, const ShapePaths& paths, const RunChoices& choices) {
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
    if (Status written = writeShapeDescriptor(descriptor, s.state, paths, s.fileSystem, s.host); !written) {
        logFailure(s, FailedStep::WriteSdFile, written.error());
        return false;
    }
    return true;
}

bool makeMissingTexturesForRun(RunServices& s, const ShapePaths& paths) {
    // An s-file that cannot be read is reported by the texture correction right after.
    const auto text = s.fileSystem.readText(paths.sFile, TextFormat::SystemDefault);
    const auto folderFiles = s.fileSystem.listFiles(paths.workingFolder);
    if (text && folderFiles)
        makeMissingTextures(parseImageList(*text), *folderFiles, paths.workingFolder, s.fileSystem, s.host,
                            s.state.gstrSprache);
    if (Status listed = LiesDateiFeld(s.state, s.fileSystem, paths.workingFolder, "Suffix"); !listed) {
        logFailure(s, FailedStep::ReadFolder, listed.error());
        return false;
    }
    return true;
}

bool editSFileForRun(RunServices& s, const ShapePaths& paths, const RunChoices& choices) {
    const ProgramState& state = s.state;

    TextureCorrectionChoices correction;
    correction.chkAceUni = choices.chkAceUni;
    correction.chkShaderDiffuse = choices.chkShaderDiffuse;
    correction.cmbMipMap = choices.cmbMipMap;
    correction.decimalSeparator = s.decimalSeparator;
    if (Status corrected = KorrigiereTexturen(correction, state, paths, s.fileSystem, s.host); !corrected) {
        logFailure(s, FailedStep::EditSFile, corrected.error());
        return false;
    }

    if (ticked(choices.chkAceUni)) {
        auto kept = SetzeEineTextur(state, paths, s.fileSystem);
        if (!kept) {
            logFailure(s, FailedStep::EditSFile, kept.error());
            return false;
        }
        s.host.log(state.text(TextId::LogOnlyOneTexture) + kept.value());
    }
    if (ticked(choices.chkShaderDiffuse)) {
        if (Status diffuse = SetzeShaderDiffuse(state, paths, s.fileSystem); !diffuse) {
            logFailure(s, FailedStep::EditSFile, diffuse.error());
            return false;
        }
        s.host.log(state.text(TextId::LogShaderDiffuse));
        s.host.log(state.text(TextId::LogImagesRenamedDummy));
    }
    if (ticked(choices.chkShaderAddATexDiff)) {
        if (Status glassy = SetzeShaderAddATexDiff(paths, s.fileSystem); !glassy) {
            logFailure(s, FailedStep::EditSFile, glassy.error());
            return false;
        }
        s.host.log(state.text(TextId::LogShaderAddATexDiff));
        s.host.log(state.text(TextId::LogNoGlassyInOpenRails));
    }
    // A texture that cannot be collected is logged there and does not end the run.
    KopiereTexturen(state, paths, s.fileSystem, s.host);
    return true;
}

bool copyToTargetsForRun(RunServices& s, const ShapePaths& paths, const RunChoices& choices) {
    CopyChoices copies;
    for (std::size_t i = 0; i < copies.targets.size(); ++i)
        copies.targets[i] = CopyTarget{choices.chkShapeTo[i], choices.lblCopyPfad[i]};
    copies.chkTextureCopy = choices.chkTextureCopy;
    if (Status copied = copyToTargets(copies, s.state, paths, s.fileSystem, s.host); !copied) {
        logFailure(s, FailedStep::CopyToTarget, copied.error());
        return false;
    }
    return true;
}

bool writeReferenceEntryForRun(RunServices& s, const ShapePaths& paths, const RunChoices& choices) {
    const ReferenceChoices reference{choices.chkRefEintrag, choices.txtRefClass, choices.txtRefDescription};
    if (Status written = writeReferenceEntry(reference, s.state, paths, s.fileSystem, s.host); !written) {
        logFailure(s, FailedStep::WriteReference, written.error());
        return false;
    }
    return true;
}

} // namespace quillfen

#pragma once
// Every text the program shows a modeller (log lines, messages, captions,
// tooltips), in every language it speaks, in one catalogue keyed by TextId.
// The program holds UTF-8 inside; a text with a value in the middle marks the
// place with %1, %2, ...
//
// A new language is one more column in Texts.cpp (and one more entry in
// kLanguages below, with its name and its two layout values); nothing else
// changes.

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace quillfen {

/// The languages, in the order of the window's language list.
enum class Language : int { English, German };
inline constexpr int kLanguageCount = 2;

/// What differs by language besides the texts.
struct LanguageInfo {
    Language language;
    /// The entry in the window's language list and the value the program documents ("deutsch").
    std::string_view name;
    /// Twips: the width of the manual alternative-texture option, and how far
    /// before its right end the code box begins (the caption's length differs).
    int manualOptionWidth;
    int numberBoxBeforeEnd;
};
inline constexpr std::array<LanguageInfo, kLanguageCount> kLanguages{{
    {Language::English, "english", 5000, 1100},
    {Language::German, "deutsch", 4800, 580},
}};

[[nodiscard]] constexpr const LanguageInfo& languageInfo(Language language) {
    return kLanguages[static_cast<std::size_t>(language)];
}
[[nodiscard]] constexpr std::string_view languageName(Language language) {
    return languageInfo(language).name;
}
/// The language of that name ("deutsch", "english"), if the program speaks it.
[[nodiscard]] std::optional<Language> languageNamed(std::string_view name);

enum class TextId : int {
    // --- The conversion run's log ---------------------------------------
    LogFound3ds,     ///< + file name
    LogFoundTexture, ///< + file name
    LogFoundSFile,   ///< + file name
    LogShapesCreated,
    LogOldShapesSFileDeleted,
    LogNewSFileMoved,
    LogNotReadyAfter30s, ///< + path
    LogTexturesNotDeleted,
    LogFolderIsLink,   ///< %1 folder name (SHAPES, TEXTURES)
    MessageFolderBusy, ///< %1 the model folder
    LogDone,
    LogFailReadFolder,       ///< + reason
    LogFailDeleteStaleSFile, ///< + reason
    LogFailCreateShapes,     ///< + reason
    LogFailMoveSFile,        ///< + reason
    LogFailWriteSdFile,      ///< + reason
    LogFailEditSFile,        ///< + reason
    LogFailCopyToTarget,     ///< + reason
    LogFailWriteReference,   ///< + reason
    LogFailUnexpected,       ///< + reason
    LogOnlyOneTexture,       ///< + texture name
    LogShaderDiffuse,
    LogImagesRenamedDummy,
    LogShaderAddATexDiff,
    LogNoGlassyInOpenRails,
    // Converter
    MessageConverterMissing, ///< box text before the path
    LogConverterMissing,
    LogWineMissing, ///< %1 converter path
    LogTerminalMissing,
    LogConverterNotStarted, ///< + reason
    LogConverterCommand,
    LogConverterProgress,        ///< %1 quoted s-file name, %2 seconds
    LogConverterEnded,           ///< %1 exit code
    LogConverterEndedWithOutput, ///< %1 exit code, %2 its last output lines
    LogPathNotInCodePage,        ///< %1 path, %2 code page
    LogConverterInPlainFolder,   ///< %1 the plain-named folder, %2 code page
    MessageConversionFailedTitle,
    MessageConversionFailed,
    MessageCrashTitle,
    MessageCrash,
    // sd-file, s-file edits, textures, copies, reference entry
    LogBoxLineEmpty,
    LogBoxLineWritten,
    LogSdFileWritten,
    LogTextureMade,    ///< %1 ACE file, %2 picture it was made from
    LogTextureScaled,  ///< %1 picture, %2 its size, %3 the size made
    LogTextureNotMade, ///< %1 ACE file, %2 picture, %3 reason
    LogCorrectAceName, ///< %1 old name, %2 new name
    LogCorrectDdsName, ///< %1 old name, %2 new name
    ErrorNoImageBlock,
    ErrorImagesMissing,   ///< %1 announced, %2 listed
    ErrorMipMapNotNumber, ///< %1 the value
    LogNoTexturesCopied,
    LogTexturesNoAccess,
    LogTexturesCreated,
    LogTexturesCopied,
    LogNoValidTarget,
    LogMissingTargetFolder, ///< %1 target number (1 to 3), %2 its folder
    LogSFileCopied,         ///< + target folder
    LogReferenceLossy,
    LogReferenceCreated,
    // Bounding box
    LogBoxShapeVertices,  ///< %1 count
    LogBoxShapePoints,    ///< %1 count
    MessageShapeNotFound, ///< %1 s-file name
    MessageTakeBox,       ///< %1 display line
    BoxFailure,
    // Start-up
    StartupConverterMissing, ///< MeldungKonverterFehlt
    StartupNo3dsFile,        ///< MeldungKeine3DSDatei
    StartupInFolder,         ///< MeldungImVerzeichnis
    StartupFilesMissing,     ///< MeldungDateienFehlen
    StartupNoLod,
    StartupNoDistance,    ///< %1 file name, %2 corrected name
    StartupOnlyNumber,    ///< %1 file name, %2 base name
    StartupRegistryError, ///< %1 description, %2 error number
    LogConverterInUse,    ///< %1 converter path, %2 where it was found
    ConverterBesideModels,
    ConverterSavedPath,
    ConverterMstsInstallation,
    ConverterInstalledWithQuillfen,
    StartupSettingsDamaged, ///< %1 settings file, %2 where it is kept aside
    StartupChooseModelFolder,
    StartupSearchedPlaces,
    // Quit
    MessageSettingsNotSaved, ///< + reason
    // Mipmap help window
    MipMapHelp,
    // The 3D view
    ViewTitle, ///< %1 s-file name
    ViewAutomaticLevel,
    ViewLevelItem, ///< %1 level number, %2 distance in metres
    ViewShowBox,
    ViewOpenExternal,
    ViewFacts,           ///< %1 points, %2 triangles, %3 sub-objects, %4 textures, %5 box size
    ViewMissingTextures, ///< %1 names
    ViewMouseHint,
    ViewCannotShow, ///< + reason

    // --- The window: captions and tooltips --------------------------------
    TooltipLblLODsGefunden,
    TooltipLstLODListe,
    CaptionCmdVorschlagUebernehmen,
    TooltipCmdVorschlagUebernehmen,
    TooltipTxtSDateiName,
    TooltipCmbMipMap,
    CaptionChkRefEintrag,
    TooltipChkRefEintrag,
    TooltipTxtRefClass,
    TooltipTxtRefDescription,
    CaptionFraTexturen,
    CaptionOptNurSommerTextur,
    TooltipOptNurSommerTextur,
    CaptionOptSchneeTextur,
    TooltipOptSchneeTextur,
    CaptionOptSchneeUndNachtTextur,
    TooltipOptSchneeUndNachtTextur,
    CaptionOptJahreszeitenTextur,
    TooltipOptJahreszeitenTextur,
    CaptionOptManuellAlternativTexture,
    TooltipOptManuellAlternativTexture,
    TooltipTxtESD_Alter_Tex,
    CaptionChkTestOptionen,
    TooltipChkTestOptionen,
    CaptionChkAceUni,
    TooltipChkAceUni,
    CaptionChkShaderDiffuse,
    TooltipChkShaderDiffuse,
    CaptionChkShaderAddATexDiff,
    TooltipChkShaderAddATexDiff,
    CaptionChkBoundingBox,
    TooltipChkBoundingBox,
    TooltipTxtBBox,
    TooltipTxtBBoxInput,
    CaptionCmdBoundingBoxKorr,
    TooltipCmdBoundingBoxKorr,
    CaptionCmdBBoxAusShape,
    TooltipCmdBBoxAusShape,
    CaptionCmdShapeCopy,
    TooltipCmdShapeCopy,
    CaptionCmdShapeCopyOnlySFile,
    TooltipCmdShapeCopyOnlySFile,
    TooltipCmdPathOpen,
    CaptionCmdErzeugeShape,
    TooltipCmdErzeugeShape,
    CaptionChkCMD_sichtbar,
    TooltipChkCMD_sichtbar,
    CaptionCmdAbbruch,
    TooltipCmdAbbruch,
    TooltipCmdQuit,
    TooltipCmdMipMapHelp,
    TooltipCmdShapeToExplorer,
    TooltipCmd3DView,
    CaptionCmdQuit,
    CaptionCmdMipMapHelp,
    CaptionCmd3DView,
    CaptionCmdShapeToExplorer,
    CaptionLblRefClass,
    CaptionLblRefDescription,
    CaptionFraMipMap,
    TooltipFraMipMap,
    CaptionChkTextureCopy,
    TooltipPctGerman,
    TooltipPctEnglisch,
    CaptionCmdPathOpen,
    CaptionCmdShapeCopyDesign0,
    CaptionCmdShapeCopyDesign1,
    CaptionCmdShapeCopyDesign2,
    CaptionLodCountOne,
    CaptionLodCountMany,
    HelpWindowTitle,
    ChooserDesignTitle,
    ChooserTitle,
    ChooserCaptionNoFolder,
    ChooserTooltipNoFolder,
    ChooserTooltipDrive,
    ChooserTooltipFolder,
    ChooserCaptionOk,
    ChooserTooltipOk,
    ChooserCaptionCancel,
    ChooserTooltipCancel,
    ChooserDriveError,
    ChooserShapesTitle,
    ChooserShapesQuestion, ///< %1 the chosen folder followed by SHAPES

    Count
};

/// The text in that language.
[[nodiscard]] const std::string& text(Language language, TextId id);
/// The text with %1, %2, ... replaced by `values` in order.
[[nodiscard]] std::string text(Language language, TextId id, std::initializer_list<std::string_view> values);

} // namespace quillfen

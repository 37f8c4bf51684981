#include "core/Texts.h"

#include <cstddef>
#include <string>

namespace quillfen {

namespace {

struct CatalogueEntry {
    TextId id;
    /// One column per language, in the order of `Language`.
    std::array<const char*, kLanguageCount> texts;
};

using T = TextId;

// Columns: English, German. A text the program has in German only stands in both columns.
// clang-format off
constexpr CatalogueEntry kCatalogue[] = {
    // --- The conversion run's log ---------------------------------------
    {T::LogFound3ds, {"•3ds-file found : ", "•3ds-Datei gefunden   : "}},
    {T::LogFoundTexture, {"•Texture found  : ", "•Textur gefunden      : "}},
    {T::LogFoundSFile, {"•s-file found   : ", "•Shape-Datei gefunden : "}},
    {T::LogShapesCreated, {"•the directory SHAPES is created", "•das Verzeichnis SHAPES ist erzeugt"}},
    {T::LogOldShapesSFileDeleted, {"•old s-file in SHAPES deleted", "•alte s-Datei in SHAPES gelöscht"}},
    {T::LogNewSFileMoved, {"•new s-file moved to SHAPES", "•neue s-Datei in SHAPES verschoben"}},
    {T::LogNotReadyAfter30s, {"•still not ready after 30 seconds: ", "•nach 30 Sekunden noch nicht bereit: "}},
    {T::LogTexturesNotDeleted, {"•can't delete TEXTURES folder -> Maybe another program blocks",
                                "•kann Verzeichnis TEXTURES nicht löschen -> Vermutlich blockiert ein anderes Programm"}},
    {T::LogFolderIsLink, {"•the directory %1 is a link to another place: Quillfen deletes nothing in it",
                          "•das Verzeichnis %1 ist ein Verweis auf einen anderen Ort: Quillfen löscht darin nichts"}},
    {T::MessageFolderBusy, {"Another conversion is running in this folder:\r%1\r\rPlease wait until it has ended.",
                            "In diesem Verzeichnis läuft schon eine Umwandlung:\r%1\r\rBitte warten, bis sie beendet ist."}},
    {T::LogDone, {"Done!", "Fertig!"}},
    {T::LogFailReadFolder, {"•can't read the directory: ", "•kann das Verzeichnis nicht lesen: "}},
    {T::LogFailDeleteStaleSFile, {"•can't delete old s-file: ", "•kann alte s-Datei nicht löschen: "}},
    {T::LogFailCreateShapes, {"•can't create the directory SHAPES: ", "•kann Verzeichnis SHAPES nicht erzeugen: "}},
    {T::LogFailMoveSFile, {"•can't move new s-file to SHAPES: ", "•kann neue s-Datei nicht nach SHAPES verschieben: "}},
    {T::LogFailWriteSdFile, {"•can't write sd-file: ", "•kann sd-Datei nicht schreiben: "}},
    {T::LogFailEditSFile, {"•can't edit s-file: ", "•kann s-Datei nicht bearbeiten: "}},
    {T::LogFailCopyToTarget, {"•can't copy to target: ", "•kann nicht ins Ziel kopieren: "}},
    {T::LogFailWriteReference, {"•can't write AddToRef.txt: ", "•kann AddToRef.txt nicht schreiben: "}},
    {T::LogFailUnexpected, {"•unexpected error, run ended: ", "•unerwarteter Fehler, Lauf beendet: "}},
    {T::LogOnlyOneTexture, {"•s-file requires only the texture: ", "•s-Datei benötigt nur die Textur: "}},
    {T::LogShaderDiffuse, {"•s-file has only the shader 'Diffuse'. s-file not use any ace-texture!",
                           "•alle shader in s-Datei in 'Diffuse' geändert. s-Datei braucht keine Texturen!"}},
    {T::LogImagesRenamedDummy, {"•all images in s-file renamed as 'TextureDummy.ace'.",
                                "•alle Images in s-Datei in 'TextureDummy.ace' umbenannt."}},
    {T::LogShaderAddATexDiff, {"•s-file shown glassy in MSTS. s-file has only the shader 'AddATexDiff'.",
                               "•gläserne s-Datei in MSTS. Alle shader in s-Datei in 'AddATexDiff' geändert."}},
    {T::LogNoGlassyInOpenRails, {"•In Open Rails no glassy appearance.", "•In Open Rails keine gläserne Darstellung."}},
    // Converter
    {T::MessageConverterMissing, {"Quillfen can't find converter file!", "Quillfen kann die Konverter-Datei nicht finden!"}},
    {T::LogConverterMissing, {"Quillfen can't find converter file 'conv3ds.exe' in path:",
                              "Quillfen kann die Konverter-Datei 'conv3ds.exe' nicht finden im Pfad:"}},
    {T::LogWineMissing, {"•wine not found: %1 is a Windows program and needs 'wine' on the search path (PATH)",
                         "•wine nicht gefunden: %1 ist ein Windows-Programm und braucht 'wine' im Suchpfad (PATH)"}},
    {T::LogTerminalMissing, {"•Warning: no terminal found to show the converter ($TERMINAL, x-terminal-emulator, xterm); "
                             "it runs hidden",
                             "•Warnung: kein Terminal für die sichtbare Konverter-Ausgabe gefunden ($TERMINAL, "
                             "x-terminal-emulator, xterm); er läuft verborgen"}},
    {T::LogConverterNotStarted, {"•can't start the converter: ", "•Konverter kann nicht gestartet werden: "}},
    {T::LogConverterCommand, {"•Converter starts with cmd-command:", "•Konverter-Start mit cmd-Befehlszeile:"}},
    {T::LogConverterProgress, {"•conv3ds.exe creates s-file: %1 in %2 seconds.", "•conv3ds.exe erzeugt s-Datei: %1 in %2 Sekunden."}},
    {T::LogConverterEnded, {"•conv3ds.exe ended with exit code %1 without writing the s-file.",
                            "•conv3ds.exe endete mit Exit-Code %1, ohne die s-Datei zu schreiben."}},
    {T::LogConverterEndedWithOutput, {"•conv3ds.exe ended with exit code %1 without writing the s-file: %2",
                                      "•conv3ds.exe endete mit Exit-Code %1, ohne die s-Datei zu schreiben: %2"}},
    {T::LogPathNotInCodePage, {"•conv3ds.exe can't open '%1': code page %2 of Windows programs has no place for "
                               "some of its characters. Rename the folder or file (letters of that code page only).",
                               "•conv3ds.exe kann '%1' nicht öffnen: die Codepage %2 der Windows-Programme kennt "
                               "einige seiner Zeichen nicht. Bitte Ordner oder Datei umbenennen (nur Zeichen dieser "
                               "Codepage)."}},
    {T::LogConverterInPlainFolder, {"•conv3ds.exe works on copies in '%1': code page %2 of Windows programs can't hold "
                                    "the model folder's name.",
                                    "•conv3ds.exe arbeitet mit Kopien in '%1': die Codepage %2 der Windows-Programme "
                                    "kennt nicht alle Zeichen des Modellordners."}},
    {T::MessageConversionFailedTitle, {"Quillfen", "Quillfen"}},
    {T::MessageConversionFailed,
     {"Shape konnte nicht erzeugt werden! Der Konverter 'conv3ds.exe' kommt mit der '*.3ds'-Datei nicht klar!\r\n"
      "Materialien (SOLIDNORM / TRANSNORM etc.) in 3dsmax? Verknüpfungs-Struktur gesetzt in 3dsmax?",
      "Shape konnte nicht erzeugt werden! Der Konverter 'conv3ds.exe' kommt mit der '*.3ds'-Datei nicht klar!\r\n"
      "Materialien (SOLIDNORM / TRANSNORM etc.) in 3dsmax? Verknüpfungs-Struktur gesetzt in 3dsmax?"}},
    {T::MessageCrashTitle, {"Is conv3ds.exe crashed?", "Ist conv3ds.exe abgestürtzt?"}},
    {T::MessageCrash,
     {"If conv3ds.exe crashed, one of the LOD-3ds files may contain\r\n\r\nthe material name suffix \"+1s\" ?\r\n\r\n"
      "If so, change the material suffix to \"+1\" .",
      "Falls conv3ds.exe abgestürtzt ist, enthält möglicherweise eine der\r\n\r\nLOD-3ds-Dateien den Materialnamen-Zusatz "
      "\"+1s\" ?\r\n\r\nFalls das zutrifft, ändern Sie den Zusatz in \"+1\" ."}},
    // sd-file, s-file edits, textures, copies, reference entry
    {T::LogBoxLineEmpty, {"•no BoundingBox line in sd-file because it's empty.",
                          "•keine BoundingBox-Zeile in sd-Datei übernommen, weil sie leer ist"}},
    {T::LogBoxLineWritten, {"•sd-file has BoundingBox line", "•BoundingBox-Zeile in sd-Datei übernommen"}},
    {T::LogSdFileWritten, {"•sd-file written in SHAPES", "•sd-Datei in SHAPES geschrieben"}},
    {T::LogTextureMade, {"•texture %1 made from %2", "•Textur %1 aus %2 erzeugt"}},
    {T::LogTextureScaled, {"•Warning: %1 has %2 pixels, scaled to %3 (texture sides must be powers of two)",
                           "•Warnung: %1 hat %2 Pixel, auf %3 skaliert (Texturseiten müssen Zweierpotenzen sein)"}},
    {T::LogTextureNotMade, {"•can't make texture %1 from %2: %3", "•kann Textur %1 nicht aus %2 erzeugen: %3"}},
    {T::LogCorrectAceName, {"•correct in s-file ace-texture-name from %1 to %2",
                            "•korrigiere in s-Datei ace-Textur-Bezeichnung von %1 zu %2"}},
    {T::LogCorrectDdsName, {"•correct in s-file dds-texture-name from %1 to %2",
                            "•korrigiere in s-Datei dds-Textur-Bezeichnung von %1 zu %2"}},
    {T::ErrorNoImageBlock, {"no \"image (\" entry before \"textures (\" in the s-file",
                            "kein Eintrag \"image (\" vor \"textures (\" in der s-Datei"}},
    {T::ErrorImagesMissing, {"the s-file announces %1 images but lists only %2",
                             "die s-Datei nennt %1 Images, führt aber nur %2 auf"}},
    {T::ErrorMipMapNotNumber, {"the mipmap value \"%1\" is not a number", "der Mipmap-Wert \"%1\" ist keine Zahl"}},
    {T::LogNoTexturesCopied, {"•no ace-textures copied to directory TEXTURES",
                              "•es werden keine ace-Texturen in das Verzeichnis TEXTURES kopiert"}},
    {T::LogTexturesNoAccess, {"•can't access to folder TEXTURES. Probably an open s-file blocks access!",
                              "•kein Zugriff auf Verzeichnis TEXTURES. Vermulich blockiert eine offene s-Datei!"}},
    {T::LogTexturesCreated, {"•the directory TEXTURES is created", "•das Verzeichnis TEXTURES ist erzeugt"}},
    {T::LogTexturesCopied, {"•all used textures are copied to directory TEXTURES",
                            "•alle verwendeten Texturen sind in das Verzeichnis TEXTURES kopiert"}},
    {T::LogNoValidTarget, {"No valid directory given!", "Kein gültiges Verzeichnis angegeben!"}},
    {T::LogMissingTargetFolder, {"Copy target %1: the folder '%2' does not exist.",
                                 "Kopierziel %1: den Ordner '%2' gibt es nicht."}},
    {T::LogSFileCopied, {"•s-file is also copied to %1", "•s-Datei ist nach %1 kopiert"}},
    {T::LogReferenceLossy, {"•Warning: AddToRef.txt has characters outside Windows-1252, written as \"?\"",
                            "•Warnung: AddToRef.txt enthält Zeichen außerhalb von Windows-1252, als \"?\" geschrieben"}},
    {T::LogReferenceCreated, {"•AddToRef.txt is created", "•AddToRef.txt ist erzeugt"}},
    // Bounding box
    {T::LogBoxShapeVertices, {"•BoundingBox generating: Shape has %1 vertices.", "•BoundingBox Ermittlung: Shape hat %1 Vertices."}},
    {T::LogBoxShapePoints, {"•BoundingBox generating: Shape has %1 points.", "•BoundingBox Ermittlung: Shape hat %1 Points."}},
    {T::MessageShapeNotFound, {"Shape file %1 not found (yet)!", "Shape-Datei %1 (noch) nicht gefunden!"}},
    {T::MessageTakeBox, {"Should this BoundingBox data taken to the screen?\r\n\r\n%1\r\n\r\nThis BoundingBox covers the shape completely.",
                         "Soll diese BoundingBox am Bildschirm übernommen werden?\r\n\r\n%1\r\n\r\nDiese BoundingBox umfaßt das Shape vollständig."}},
    {T::BoxFailure, {"BoundingBox kann nicht aus Shape berechnet werden!", "BoundingBox kann nicht aus Shape berechnet werden!"}},
    // Start-up
    {T::StartupConverterMissing, {"Can't find 'conv3ds.exe'!\r", "Konverterprogramm 'conv3ds.exe' nicht gefunden!\r"}},
    {T::StartupNo3dsFile, {"can't find '3ds'-file(s)!\r", "keine '3DS'-Datei finden!\r"}},
    {T::StartupInFolder, {"In the current directory ", "Kann im aktuellen Verzeichnis "}},
    {T::StartupFilesMissing, {"Missing files!!!", "Dateien FEHLEN!!!"}},
    {T::StartupNoLod, {"No LOD-instruction found in the name of the 3ds-file!", "Keine 3ds-Datei mit LOD-Angabe gefunden!"}},
    {T::StartupNoDistance,
     {"Die 3ds-Datei:\r- %1\renthält keinen Zahlenwert vor der '.3ds'-Datei-Endung.\r\r"
      "Dadurch ist es dem Converter (conv3ds.exe) nicht möglich, die Anzeige-Entfernung für MSTS zu bestimmen!\r\r"
      "Wenn diese Entfernung z.B. 2000 Meter sein soll, dann wäre der richtige Dateiname:\r- %22000.3DS",
      "Die 3ds-Datei:\r- %1\renthält keinen Zahlenwert vor der '.3ds'-Datei-Endung.\r\r"
      "Dadurch ist es dem Converter (conv3ds.exe) nicht möglich, die Anzeige-Entfernung für MSTS zu bestimmen!\r\r"
      "Wenn diese Entfernung z.B. 2000 Meter sein soll, dann wäre der richtige Dateiname:\r- %22000.3DS"}},
    {T::StartupOnlyNumber,
     {"The name of the 3ds-file:  - %1 -  contains only a number before the '.3ds' file extension.\r\r"
      "Because of that the converter (conv3ds.exe) can't determine the LOD distance range for MSTS!\r\r"
      "If this distance, for example, is supposed to be 1500 meters, then the correct file name would be:\r  %2_1500.3DS ",
      "Der Name der 3ds-Datei:  - %1 -  besteht NUR aus einer Zahl vor der '.3ds'-Datei-Endung.\r\r"
      "Dadurch ist es dem Converter (conv3ds.exe) nicht möglich, die Anzeige-Entfernung für MSTS zu bestimmen!\r\r"
      "Wenn diese Entfernung z.B. 2000 Meter sein soll, dann wäre der richtige Dateiname:\r- %2_2000.3DS"}},
    {T::StartupRegistryError, {"\rgfctGetDataFromRegistry\r\r%1\rFehlernummer: %2", "\rgfctGetDataFromRegistry\r\r%1\rFehlernummer: %2"}},
    {T::LogConverterInUse, {"•Converter: %1 (%2)", "•Konverter: %1 (%2)"}},
    {T::ConverterBesideModels, {"beside the models", "neben den Modellen"}},
    {T::ConverterSavedPath, {"saved in the settings", "aus den Einstellungen"}},
    {T::ConverterMstsInstallation, {"in the MSTS installation", "in der MSTS-Installation"}},
    {T::ConverterInstalledWithQuillfen, {"installed with Quillfen", "mit Quillfen installiert"}},
    {T::StartupSettingsDamaged,
     {"The settings file is damaged and was not read:\r%1\r\rQuillfen starts with the default settings; "
      "the damaged file is kept as:\r%2",
      "Die Einstellungsdatei ist beschädigt und wurde nicht gelesen:\r%1\r\rQuillfen beginnt mit den "
      "Standard-Einstellungen; die beschädigte Datei bleibt erhalten als:\r%2"}},
    {T::StartupChooseModelFolder,
     {"Choose the folder with the model's 3ds-files", "Ordner mit den 3ds-Dateien des Modells wählen"}},
    {T::StartupSearchedPlaces, {"Searched:", "Gesucht:"}},
    // Quit
    {T::MessageSettingsNotSaved, {"Could not save the settings:\r", "Die Einstellungen konnten nicht gespeichert werden:\r"}},
    // Mipmap help window
    {T::MipMapHelp,
     {
"ATTENTION! Influenced extremely the framerate. As an example for vegetation bushes -> 0 = 53fps / -1 = 40fps / -2 = 30fps\r\n"
"\r\n"
"The default value is 0. Select here the desired value, if it is to be different from 0. It is then entered into the s-file.\r\n"
"\r\n"
"In the shape file there are lines denominated in about: 'texture (x 0 0 ff000000)'.\r\n"
"\r\n"
"The x stands for the texture number. The third parameter determines how the textures are shown with increasing distance from the shape.\r\n"
"If you change the line for example to: 'texture (0 0 -3 ff000000)', the texture No. 0 shows more details in the distance. However, it can increase 'crackle' , ie the texture seems grainy if you pass it along in certain distance.\r\n"
"\r\n"
"In approximately the following values apply for the third parameter:\r\n"
"\r\n"
" 0 = Texture is little detailed (already washed out nearby), but hardly 'crackling'.\r\n"
"-4 = Texture is very detailed, but in the distance very 'crackling'.\r\n"
"\r\n"
"Positive values (1 or 2) are extremely washed out and therefore are not common.\r\n"
"\r\n"
"The changes are always performed for all textures of the shape. It is not possible to influence a single texture of the shape here.\r\n"
"Example:\r\n"
"before  -> texture ( 0 0 0 ff000000 )\r\n"
"           texture ( 1 0 0 ff000000 )\r\n"
"\r\n"
"after   -> texture ( 0 0 -3 ff000000 )\r\n"
"           texture ( 1 0 -3 ff000000 )\r\n"
"\r\n"
"The first parameter is the texture number."
      ,
"ACHTUNG! Beeinflußt extrem die Framerate. Als Beispiel bei Vegetations-Büschen -> 0 = 53fps / -1 = 40fps / -2 = 30fps\r\n"
"\r\n"
"Der Standard-Wert ist 0. Wähle hier den gewünschten Wert, wenn er abweichend von 0 sein soll. Er wird dann in die Shape-Datei eingetragen.\r\n"
"\r\n"
"In der Shape-Datei gibt es Zeilen die in etwa lauten: 'texture ( x 0 0 ff000000 )'.\r\n"
"\r\n"
"Das x steht für die Textur-Nummer. Der 3. Parameter bestimmt, wie die Texturen mit zunehmender Entfernung vom Shape dargestellt werden.\r\n"
"Ändert man die Zeile beispielsweise in: 'texture ( 0 0 -3 ff000000 )', wird die Textur Nr.0 auch in der Ferne detailierter dargestellt. Dabei kann allerdings das 'Knistern' zunehmen, d.h. die Textur wirkt krisselig, wenn man sich entfernt an ihr vorbei bewegt.\r\n"
"\r\n"
"In etwa gelten für den 3. Parameter folgende Werte:\r\n"
"\r\n"
" 0 = Textur ist wenig detailiert (bereits in der Nähe verwaschen), aber kaum 'Knistern'.\r\n"
"-4 = Textur ist sehr detailiert, aber in der Ferne sehr 'krisslig'.\r\n"
"\r\n"
"Positive Werte (1 oder 2) verwaschen extrem und sind daher nicht üblich.\r\n"
"\r\n"
"Die Änderungen werden immer für alle Texturen des Shapes durchgeführt. Es ist hier nicht möglich nur eine einzelne Textur des Shapes zu beeinflußen.\r\n"
"Beispiel:\r\n"
"vorher  -> texture ( 0 0 0 ff000000 )\r\n"
"           texture ( 1 0 0 ff000000 )\r\n"
"\r\n"
"nachher -> texture ( 0 0 -3 ff000000 )\r\n"
"           texture ( 1 0 -3 ff000000 )\r\n"
"\r\n"
"Der erste Parameter steht für die Texturnummer."
     }},

    // The 3D view
    {T::ViewTitle, {"3D-View - %1", "3D-Ansicht - %1"}},
    {T::ViewAutomaticLevel, {"Automatic (by distance)", "Automatisch (nach Entfernung)"}},
    {T::ViewLevelItem, {"Level %1 (up to %2 m)", "Stufe %1 (bis %2 m)"}},
    {T::ViewShowBox, {"Bounding box", "Bounding Box"}},
    {T::ViewOpenExternal, {"Open with associated program", "Mit zugeordnetem Programm öffnen"}},
    {T::ViewFacts, {"Points: %1   Triangles: %2   Sub-objects: %3   Textures: %4   Box: %5",
                    "Punkte: %1   Dreiecke: %2   Unterobjekte: %3   Texturen: %4   Box: %5"}},
    {T::ViewMissingTextures, {"missing: %1", "fehlen: %1"}},
    {T::ViewMouseHint, {"Left mouse button: turn   right: move   wheel: zoom   R: reset view",
                        "Linke Maustaste: drehen   rechte: verschieben   Rad: zoomen   R: Ansicht zurücksetzen"}},
    {T::ViewCannotShow, {"The shape cannot be shown: ", "Das Shape kann nicht angezeigt werden: "}},

    // --- The window: captions and tooltips --------------------------------
    {T::TooltipLblLODsGefunden, {" Number of found 3ds-LOD-files ", " Anzahl der gefundenen 3ds-LOD-Dateien "}},
    {T::TooltipLstLODListe, {" Select the 3ds-files which should be involved ", " Wähle die beteilligten 3ds-Dateien "}},
    {T::CaptionCmdVorschlagUebernehmen, {"Default s-file name ->", "Default Shapename ->"}},
    {T::TooltipCmdVorschlagUebernehmen, {" Suggest a name for the s-file. Here should already be a name, based on the name of the first 3ds LOD file. ", " Schlägt einen Namen für die s-Datei vor. Rechts neben dem Button sollte bereits ein Name stehen, der sich aus der ersten 3ds-LOD-Datei ergibt. "}},
    {T::TooltipTxtSDateiName, {" Name of the s-file ", " Name der s-Datei "}},
    {T::TooltipCmbMipMap, {" This value can extremely affect the frame rate in MSTS. As an example a vegetation tree-s-file -> 0 = 53fps / -1 = 40fps / -2 = 30fps. For more information please click on the \"?\" Button ", " Dieser Wert kann extrem die Framerate im MSTS beeinflussen. Als Beispiel bei Vegetations-Büschen -> 0 = 53fps / -1 = 40fps / -2 = 30fps. Für weitere Informationen bitte auf das \"?\" klicken "}},
    {T::CaptionChkRefEintrag, {"Create ref-file section", "Erzeuge ref-Abschnitt"}},
    {T::TooltipChkRefEintrag, {" Creates the file \"AddToRef.txt\". It contains an entry matching the s-file, which can be fit into the *. Ref file of the route. ", " Es wird die Datei \"AddToRef.txt\" erzeugt. Sie enthält einen Eintrag passend zur s-Datei, der in die *.ref-Datei der Strecke einfügt werden kann. "}},
    {T::TooltipTxtRefClass, {" Class of the ref-entry ", " Class des Ref-Eintrags "}},
    {T::TooltipTxtRefDescription, {" Description of the ref-entry ", " Description des Ref-Eintrags "}},
    {T::CaptionFraTexturen, {"s-file has textures", "s-Datei hat Texturen:"}},
    {T::CaptionOptNurSommerTextur, {"for day only                    [ESD_Alternative_Texture (0)]", "nur für Tag                           [ESD_Alternative_Texture (0)]"}},
    {T::TooltipOptNurSommerTextur, {" s-file has textures only for day (directory: \"Textures\") ", " s-Datei hat nur Texturen für den Tag (Verzeichnis: \"Textures\") "}},
    {T::CaptionOptSchneeTextur, {"for day and snow           [ESD_Alternative_Texture (1)]", "für Tag und Schnee             [ESD_Alternative_Texture (1)]"}},
    {T::TooltipOptSchneeTextur, {" s-file has textures for snow too (directory: \"Snow\") ", " s-Datei hat auch Texturen für Schnee (Verzeichnis: \"Snow\") "}},
    {T::CaptionOptSchneeUndNachtTextur, {"for day, night and snow [ESD_Alternative_Texture (257)]", "für Tag, Nacht und Schnee [ESD_Alternative_Texture (257)]"}},
    {T::TooltipOptSchneeUndNachtTextur, {" s-file has textures for night and snow too (directories: \"Night\" and \"Snow\") ", " s-Datei hat auch Texturen für die Nacht und für Schnee (Verzeichnisse: \"Night\" und \"Snow\") "}},
    {T::CaptionOptJahreszeitenTextur, {"seasonal                        [ESD_Alternative_Texture (252)]", "jahreszeitengenau                [ESD_Alternative_Texture (252)]"}},
    {T::TooltipOptJahreszeitenTextur, {" s-file has textures for every season (directories: \"Autumn\", \"AutumnSnow\", \"Spring\", etc.) ", " s-Datei hat für jede Jahreszeit eigene Texturen (Verzeichnisse: \"Autumn\", \"AutumnSnow\", \"Spring\", usw.) "}},
    {T::CaptionOptManuellAlternativTexture, {"other                              ESD_Alternative_Texture (         )", "sonstige                                ESD_Alternative_Texture (         )"}},
    {T::TooltipOptManuellAlternativTexture, {" Manual input a number for the ESD_Alternative_Texture. ", " Manuelle Eingabe einer Nummer für die ESD_Alternative_Texture. "}},
    {T::TooltipTxtESD_Alter_Tex, {" Enter a number for the ESD_Alternative_Texture here ", " Nummer für die ESD_Alternative_Texture hier eingeben "}},
    {T::CaptionChkTestOptionen, {"For test cases only", "Nur für Testzwecke"}},
    {T::TooltipChkTestOptionen, {" Select one of the texture options for trying ", " Wähle testhalber eine der Textur-Optionen "}},
    {T::CaptionChkAceUni, {"s-file has only one texture", "s-Datei hat nur eine Textur"}},
    {T::TooltipChkAceUni, {" s-file will have only one texture ", " Die s-Datei verwendet nur eine Textur "}},
    {T::CaptionChkShaderDiffuse, {"s-file don't need any texture", "s-Datei braucht keine Textur"}},
    {T::TooltipChkShaderDiffuse, {"  All shader in s-file will be set to 'Diffuse'. This gives a complete texture-independent s-file that is shown as white in MSTS and no ace-texture-files are needed. ", " Alle Shader werden in der s-Datei auf 'Diffuse' gesetzt. Dies ergibt eine komplett texturunabhängige s-Datei, die in MSTS weiss dargestellt wird und keine ace-Textur-Dateien braucht. "}},
    {T::CaptionChkShaderAddATexDiff, {"s-file gets glassy textures (MSTS only/not Open Rails)", "s-Datei bekommt gläserne Texturen (nur MSTS/nicht OR)"}},
    {T::TooltipChkShaderAddATexDiff, {" Result only visible in MSTS. All shader in the s-file will be set to 'AddATexDiff'. This way all textures of the s-file are displayed half-transparent in MSTS. ", " Resultat nur in MSTS zu sehen. Alle Shader werden in der s-Datei auf 'AddATexDiff' gesetzt. Dadurch werden in MSTS sämtliche Texturen der s-Datei halb-transparent dargestellt. "}},
    {T::CaptionChkBoundingBox, {"BoundingBox", "BoundingBox"}},
    {T::TooltipChkBoundingBox, {" A BoundingBox line will be written into the sd-file ", " Es wird ein BoundingBox-Eintrag in die sd-Datei vorgenommen "}},
    {T::TooltipTxtBBox, {" This is how the BoundingBox line will look like ", " So wird die BoundingBox-Zeile in die sd-Datei übernommen "}},
    {T::TooltipTxtBBoxInput, {" Enter here the 6 values of the BoundingBox. Separate them by space key ", " Gib hier die 6 Werte für die BoundingBox ein. Verwende als Komma einen Punkt. Lasse zwischen den Werten je 1 Leerzeichen "}},
    {T::CaptionCmdBoundingBoxKorr, {"Validate values", "Werte validieren"}},
    {T::TooltipCmdBoundingBoxKorr, {" Checkout the entered BoundingBox values ", " Die eingegebenen Werte für die BoundingBox werden auf Plausibilität geprüft und geändert "}},
    {T::CaptionCmdBBoxAusShape, {"Calculate BoundingBox data of shape", "BoundingBox aus Shape berechnen"}},
    {T::TooltipCmdBBoxAusShape, {" Calculates a BoundingBox based on the geometry of the shape ", " Berechnet eine BoundingBox aus der Geometrie des Shapes "}},
    {T::CaptionCmdShapeCopy, {"Copy s- and sd-file also to:", "Kopiere s- und sd-Datei auch nach:"}},
    {T::TooltipCmdShapeCopy, {" s- and sd-file will be copied additional to the here given directory: ", " s- und sd-Datei werden zusätzlich in das hier gewählte Verzeichnis kopiert. "}},
    {T::CaptionCmdShapeCopyOnlySFile, {"Copy only the s-file also to:", "Kopiere nur s-Datei nach:"}},
    {T::TooltipCmdShapeCopyOnlySFile, {" Only the s-file will be copied additional to the here given directory. An possibly already existing sd-file will not being overwrited. This way the boundingbox entry remains in the sd-file. Important for locomotives and wagons, because this programm doesn't create bounding boxes automatically in sd-file. ", " Nur die s-Datei wird zusätzlich in das hier gewählte Verzeichnis kopiert. Wichtig für Loks und Waggons, weil so Boundingboxen in den sd-Dateien in TRAINSET erhalten bleiben. Sie würden durch die hier erzeugte sd-Datei überschrieben werden. "}},
    {T::TooltipCmdPathOpen, {" Open path with explorer ", " Öffne Pfad im Explorer "}},
    {T::CaptionCmdErzeugeShape, {"Convert s-file", "Konvertiere Shape-Datei"}},
    {T::TooltipCmdErzeugeShape, {" Generating s-file and sd-file to the local directories \"SHAPE\" and \"TEXTUR\". Then performs the optional selected settings in the s- and sd-file. ", " Erzeugt s- und sd-Dateien, lokale SHAPE- und TEXTUR-Verzeichnisse. Nimmt anschließend die optional gewählten Einstellungen in den s- und sd-Dateien vor. "}},
    {T::CaptionChkCMD_sichtbar, {"Conv3DS.exe visible", "Conv3DS.exe sichtbar"}},
    {T::TooltipChkCMD_sichtbar, {" The DOS promt window of the Conv3DS.exe is shown while converting ", " Das DOS-Fenster des Conv3DS.exe wird angezeigt "}},
    {T::CaptionCmdAbbruch, {" Conv3DS.exe abbort ", " Conv3DS.exe abbrechen "}},
    {T::TooltipCmdAbbruch, {" Stopps waiting for the completion of Conv3DS.exe in case that a fault occurs  ", " Erzwingt den Abbruch von Conv3DS.exe falls beim konvertieren ein Fehler auftritt "}},
    {T::TooltipCmdQuit, {" Quit Quillfen ", " Quillfen beenden "}},
    {T::TooltipCmdMipMapHelp, {" Help about MipMap-Values ", " Hilfe zu den MipMap-Werten "}},
    {T::TooltipCmdShapeToExplorer, {" Open shape folder in Windows Explorer ", " Öffne das Shape-Verzeichnis im Explorer "}},
    {T::TooltipCmd3DView, {" Try to open shape with Brindlewick (if installed) ", " Versuche das Shape mit Brindlewick zu öffnen (falls dieser installiert ist) "}},
    {T::CaptionCmdQuit, {"Quit", "Quit"}},
    {T::CaptionCmdMipMapHelp, {"?", "?"}},
    {T::CaptionCmd3DView, {"<- 3D-View", "<- 3D-View"}},
    {T::CaptionCmdShapeToExplorer, {"<- Explorer", "<- Explorer"}},
    {T::CaptionLblRefClass, {"Class", "Class"}},
    {T::CaptionLblRefDescription, {"Description", "Description"}},
    {T::CaptionFraMipMap, {"MipMapping", "MipMapping"}},
    {T::TooltipFraMipMap, {"Beeinflußt extrem die Framerate. Als Beispiel bei Vegetations-Büschen -> 0 = 53fps / -1 = 40fps / -2 = 30fps", "Beeinflußt extrem die Framerate. Als Beispiel bei Vegetations-Büschen -> 0 = 53fps / -1 = 40fps / -2 = 30fps"}},
    {T::CaptionChkTextureCopy, {"     Copy textures to the route too", "     Kopiere auch Texturen in die Strecke"}},
    {T::TooltipPctGerman, {" Schalte um auf Deutsch ", " Schalte um auf Deutsch "}},
    {T::TooltipPctEnglisch, {" Set language to English ", " Set language to English "}},
    {T::CaptionCmdPathOpen, {"->", "->"}},
    {T::CaptionCmdShapeCopyDesign0, {"Kopiere Shape und sd-Datei nach:", "Kopiere Shape und sd-Datei nach:"}},
    {T::CaptionCmdShapeCopyDesign1, {"Kopiere Shape und sd-Datei auch nach:", "Kopiere Shape und sd-Datei auch nach:"}},
    {T::CaptionCmdShapeCopyDesign2, {"Kopiere nur Shape nach:", "Kopiere nur Shape nach:"}},
    {T::CaptionLodCountOne, {" LOD found:", " LOD gefunden:"}},
    {T::CaptionLodCountMany, {" LODs found:", " LODs gefunden:"}},
    {T::HelpWindowTitle, {"Help", "Hilfe"}},
    {T::ChooserDesignTitle, {"Wählen Sie ein Strecken-Verzeichnis", "Wählen Sie ein Strecken-Verzeichnis"}},
    {T::ChooserTitle, {"Select the route directory", "Wähle das Strecken-Verzeichnis"}},
    {T::ChooserCaptionNoFolder, {"Select no directory", "Kein Verzeichnis wählen"}},
    {T::ChooserTooltipNoFolder, {" Quit and no directory will be selected ", " Es soll kein Verzeichnis gewählt werden und schließe "}},
    {T::ChooserTooltipDrive, {" Select drive ", " Wähle das Laufwerk "}},
    {T::ChooserTooltipFolder, {" Select directory ", " Wähle das Verzeichnis "}},
    {T::ChooserCaptionOk, {"Take directory", "Verzeichnis übernehemen"}},
    {T::ChooserTooltipOk, {" Take directory and quit ", " Schließen und Verzeichnis übernehemen "}},
    {T::ChooserCaptionCancel, {"Cancel", "Abbruch"}},
    {T::ChooserTooltipCancel, {" Quit without taking directory ", " Schließen ohne Verzeichnis zu übernehmen "}},
    {T::ChooserDriveError, {"Drive not available!", "Laufwerk nicht verfügbar!"}},
    {T::ChooserShapesTitle, {"SHAPE directory selected!", "SHAPE-Verzeichnis gewählt!"}},
    {T::ChooserShapesQuestion, {"A 'SHAPES'-directory is selected!\r\rPlease select only the directory of a MSTS route (ROUTES in your MSTS)!\r\rOtherwise, the shape will be copied to the following directory:\r\r%1\r\rDo you want to edit the directory path again?", "Sie haben ein 'SHAPES'-Verzeichnis gewählt!\r\rBitte geben Sie nur ein Strecken-Verzeichnis Ihres MSTS an (in ROUTES Ihres MSTS)!\r\rSonst würde das Shape unter folgendem Verzeichnis gespeichert:\r\r%1\r\rWollen Sie den Verzeichnis-Pfad nocheinmal bearbeiten?"}},
};
// clang-format on

constexpr bool catalogueInOrder() {
    std::size_t index = 0;
    for (const CatalogueEntry& entry : kCatalogue)
        if (static_cast<std::size_t>(entry.id) != index++) return false;
    return index == static_cast<std::size_t>(TextId::Count);
}
static_assert(catalogueInOrder(), "the catalogue holds every TextId once, in the order of the enum");

} // namespace

std::optional<Language> languageNamed(std::string_view name) {
    for (const LanguageInfo& info : kLanguages)
        if (info.name == name) return info.language;
    return std::nullopt;
}

const std::string& text(Language language, TextId id) {
    // Built once, so callers can hold on to the texts and concatenate cheaply.
    static const auto table = [] {
        std::array<std::array<std::string, kLanguageCount>, static_cast<std::size_t>(TextId::Count)> texts;
        for (const CatalogueEntry& entry : kCatalogue)
            for (std::size_t l = 0; l < kLanguageCount; ++l)
                texts[static_cast<std::size_t>(entry.id)][l] = entry.texts[l];
        return texts;
    }();
    return table[static_cast<std::size_t>(id)][static_cast<std::size_t>(language)];
}

std::string text(Language language, TextId id, std::initializer_list<std::string_view> values) {
    const std::string& pattern = text(language, id);
    std::string result;
    result.reserve(pattern.size());
    // One pass, so a value that itself holds "%2" is never replaced again.
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto slot = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && slot < values.size()) {
            result += *(values.begin() + slot);
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

} // namespace quillfen

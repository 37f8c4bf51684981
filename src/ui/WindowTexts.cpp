#include "ui/WindowTexts.h"

namespace quillfen::ui {

const std::vector<LanguageText>& languageTexts() {
    static const std::vector<LanguageText> texts = {
        {"lblLODsGefunden", -1, nullptr, nullptr, " Anzahl der gefundenen 3ds-LOD-Dateien ",
         " Number of found 3ds-LOD-files "},
        {"lstLODListe", -1, nullptr, nullptr, " Wähle die beteilligten 3ds-Dateien ",
         " Select the 3ds-files which should be involved "},
        {"cmdVorschlagUebernehmen", -1, "Default Shapename ->", "Default s-file name ->",
         " Schlägt einen Namen für die s-Datei vor. Rechts neben dem Button sollte bereits ein Name stehen, "
         "der sich aus der ersten 3ds-LOD-Datei ergibt. ",
         " Suggest a name for the s-file. Here should already be a name, based on the name of the first 3ds "
         "LOD file. "},
        {"txtSDateiName", -1, nullptr, nullptr, " Name der s-Datei ", " Name of the s-file "},
        {"cmbMipMap", -1, nullptr, nullptr,
         " Dieser Wert kann extrem die Framerate im MSTS beeinflussen. Als Beispiel bei Vegetations-Büschen "
         "-> 0 = 53fps / -1 = 40fps / -2 = 30fps. Für weitere Informationen bitte auf das \"?\" klicken ",
         " This value can extremely affect the frame rate in MSTS. As an example a vegetation tree-s-file -> "
         "0 = 53fps / -1 = 40fps / -2 = 30fps. For more information please click on the \"?\" Button "},
        {"chkRefEintrag", -1, "Erzeuge ref-Abschnitt", "Create ref-file section",
         " Es wird die Datei \"AddToRef.txt\" erzeugt. Sie enthält einen Eintrag passend zur s-Datei, der in "
         "die *.ref-Datei der Strecke einfügt werden kann. ",
         " Creates the file \"AddToRef.txt\". It contains an entry matching the s-file, which can be fit "
         "into the *. Ref file of the route. "},
        {"txtRefClass", -1, nullptr, nullptr, " Class des Ref-Eintrags ", " Class of the ref-entry "},
        {"txtRefDescription", -1, nullptr, nullptr, " Description des Ref-Eintrags ",
         " Description of the ref-entry "},
        {"fraTexturen", -1, "s-Datei hat Texturen:", "s-file has textures", nullptr, nullptr},
        {"optNurSommerTextur", -1, "nur für Tag                           [ESD_Alternative_Texture (0)]",
         "for day only                    [ESD_Alternative_Texture (0)]",
         " s-Datei hat nur Texturen für den Tag (Verzeichnis: \"Textures\") ",
         " s-file has textures only for day (directory: \"Textures\") "},
        {"optSchneeTextur", -1, "für Tag und Schnee             [ESD_Alternative_Texture (1)]",
         "for day and snow           [ESD_Alternative_Texture (1)]",
         " s-Datei hat auch Texturen für Schnee (Verzeichnis: \"Snow\") ",
         " s-file has textures for snow too (directory: \"Snow\") "},
        {"optSchneeUndNachtTextur", -1, "für Tag, Nacht und Schnee [ESD_Alternative_Texture (257)]",
         "for day, night and snow [ESD_Alternative_Texture (257)]",
         " s-Datei hat auch Texturen für die Nacht und für Schnee (Verzeichnisse: \"Night\" und \"Snow\") ",
         " s-file has textures for night and snow too (directories: \"Night\" and \"Snow\") "},
        {"optJahreszeitenTextur", -1, "jahreszeitengenau                [ESD_Alternative_Texture (252)]",
         "seasonal                        [ESD_Alternative_Texture (252)]",
         " s-Datei hat für jede Jahreszeit eigene Texturen (Verzeichnisse: \"Autumn\", \"AutumnSnow\", "
         "\"Spring\", usw.) ",
         " s-file has textures for every season (directories: \"Autumn\", \"AutumnSnow\", \"Spring\", "
         "etc.) "},
        {"optManuellAlternativTexture", -1,
         "sonstige                                ESD_Alternative_Texture (         )",
         "other                              ESD_Alternative_Texture (         )",
         " Manuelle Eingabe einer Nummer für die ESD_Alternative_Texture. ",
         " Manual input a number for the ESD_Alternative_Texture. "},
        {"txtESD_Alter_Tex", -1, nullptr, nullptr, " Nummer für die ESD_Alternative_Texture hier eingeben ",
         " A number for the ESD_Alternative_Texture hier eingeben "},
        {"chkTestOptionen", -1, "Nur für Testzwecke", "For test cases only",
         " Wähle testhalber eine der Textur-Optionen ", " Select one of the texture options for trying "},
        {"chkAceUni", -1, "s-Datei hat nur eine Textur", "s-file has only one texture",
         " Die s-Datei verwendet nur eine Textur ", " s-file will have only one texture "},
        {"chkShaderDiffuse", -1, "s-Datei braucht keine Textur", "s-file don't need any texture",
         " Alle Shader werden in der s-Datei auf 'Diffuse' gesetzt. Dies ergibt eine komplett "
         "texturunabhängige s-Datei, die in MSTS weiss dargestellt wird und keine ace-Textur-Dateien "
         "braucht. ",
         "  All shader in s-file will be set to 'Diffuse'. This gives a complete texture-independent s-file "
         "that is shown as white in MSTS and no ace-texture-files are needed. "},
        {"chkShaderAddATexDiff", -1, "s-Datei bekommt gläserne Texturen (nur MSTS/nicht OR)",
         "s-file gets glassy textures (MSTS only/not Open Rails)",
         " Resultat nur in MSTS zu sehen. Alle Shader werden in der s-Datei auf 'AddATexDiff' gesetzt. "
         "Dadurch werden in MSTS sämtliche Texturen der s-Datei halb-transparent dargestellt. ",
         " Result only visible in MSTS. All shader in the s-file will be set to 'AddATexDiff'. This way all "
         "textures of the s-file are displayed half-transparent in MSTS. "},
        {"chkBoundingBox", -1, "BoundingBox", "BoundingBox",
         " Es wird ein BoundingBox-Eintrag in die sd-Datei vorgenommen ",
         " A BoundingBox line will be written into the sd-file "},
        {"txtBBox", -1, nullptr, nullptr, " So wird die BoundingBox-Zeile in die sd-Datei übernommen ",
         " This is how the BoundingBox line will look like "},
        {"txtBBoxInput", -1, nullptr, nullptr,
         " Gib hier die 6 Werte für die BoundingBox ein. Verwende als Komma einen Punkt. Lasse zwischen den "
         "Werten je 1 Leerzeichen ",
         " Enter here the 6 values of the BoundingBox. Separate them by space key "},
        {"cmdBoundingBoxKorr", -1, "Werte validieren", "Validate values",
         " Die eingegebenen Werte für die BoundingBox werden auf Plausibilität geprüft und geändert ",
         " Checkout the entered BoundingBox values "},
        {"cmdBBoxAusShape", -1, "BoundingBox aus Shape berechnen", "Calculate BoundingBox data of shape",
         " Berechnet eine BoundingBox aus der Geometrie des Shapes ",
         " Calculates a BoundingBox based on the geometry of the shape "},
        {"cmdShapeCopy", 0, "Kopiere s- und sd-Datei auch nach:", "Copy s- and sd-file also to:",
         " s- und sd-Datei werden zusätzlich in das hier gewählte Verzeichnis kopiert. ",
         " s- and sd-file will be copied additional to the here given directory: "},
        {"cmdShapeCopy", 1, "Kopiere s- und sd-Datei auch nach:", "Copy s- and sd-file also to:",
         " s- und sd-Datei werden zusätzlich in das hier gewählte Verzeichnis kopiert. ",
         " s- and sd-file will be copied additional to the here given directory: "},
        {"cmdShapeCopy", 2, "Kopiere nur s-Datei nach:", "Copy only the s-file also to:",
         " Nur die s-Datei wird zusätzlich in das hier gewählte Verzeichnis kopiert. Wichtig für Loks und "
         "Waggons, weil so Boundingboxen in den sd-Dateien in TRAINSET erhalten bleiben. Sie würden durch "
         "die hier erzeugte sd-Datei überschrieben werden. ",
         " Only the s-file will be copied additional to the here given directory. An possibly already "
         "existing sd-file will not being overwrited. This way the boundingbox entry remains in the sd-file. "
         "Important for locomotives and wagons, because this programm doesn't create bounding boxes "
         "automatically in sd-file. "},
        {"cmdPathOpen", 0, nullptr, nullptr, " Öffne Pfad im Explorer ", " Open path with explorer "},
        {"cmdPathOpen", 1, nullptr, nullptr, " Öffne Pfad im Explorer ", " Open path with explorer "},
        {"cmdPathOpen", 2, nullptr, nullptr, " Öffne Pfad im Explorer ", " Open path with explorer "},
        {"cmdErzeugeShape", -1, "Konvertiere Shape-Datei", "Convert s-file",
         " Erzeugt s- und sd-Dateien, lokale SHAPE- und TEXTUR-Verzeichnisse. Nimmt anschließend die "
         "optional gewählten Einstellungen in den s- und sd-Dateien vor. ",
         " Generating s-file and sd-file to the local directories \"SHAPE\" and \"TEXTUR\". Then performs "
         "the optional selected settings in the s- and sd-file. "},
        {"chkCMD_sichtbar", -1, "Conv3DS.exe sichtbar", "Conv3DS.exe visible",
         " Das DOS-Fenster des Conv3DS.exe wird angezeigt ",
         " The DOS promt window of the Conv3DS.exe is shown while converting "},
        {"cmdAbbruch", -1, " Conv3DS.exe abbrechen ", " Conv3DS.exe abbort ",
         " Erzwingt den Abbruch von Conv3DS.exe falls beim konvertieren ein Fehler auftritt ",
         " Stopps waiting for the completion of Conv3DS.exe in case that a fault occurs  "},
        {"cmdQuit", -1, nullptr, nullptr, " Quillfen beenden ", " Quit Quillfen "},
        {"cmdMipMapHelp", -1, nullptr, nullptr, " Hilfe zu den MipMap-Werten ", " Help about MipMap-Values "},
        {"cmdShapeToExplorer", -1, nullptr, nullptr, " Öffne das Shape-Verzeichnis im Explorer ",
         " Open shape folder in Windows Explorer "},
        {"cmd3DView", -1, nullptr, nullptr,
         " Versuche das Shape mit Brindlewick zu öffnen (falls dieser installiert ist) ",
         " Try to open shape with Brindlewick (if installed) "},
    };
    return texts;
}

const std::vector<DesignText>& designTexts() {
    using P = TextProperty;
    static const std::vector<DesignText> texts = {
        {"cmdQuit", -1, P::Caption, "Quit"},
        {"cmdMipMapHelp", -1, P::Caption, "?"},
        {"cmd3DView", -1, P::Caption, "<- 3D-View"},
        {"cmdShapeToExplorer", -1, P::Caption, "<- Explorer"},
        {"lblRefClass", -1, P::Caption, "Class"},
        {"lblRefDescription", -1, P::Caption, "Description"},
        {"fraMipMap", -1, P::Caption, "MipMapping"},
        {"fraMipMap", -1, P::Tooltip,
         "Beeinflußt extrem die Framerate. Als Beispiel bei Vegetations-Büschen -> 0 = 53fps / -1 = 40fps / "
         "-2 = "
         "30fps"},
        {"chkTextureCopy", -1, P::Caption, "     Kopiere auch Texturen in die Strecke"},
        {"pctGerman", -1, P::Tooltip, " Schalte um auf Deutsch "},
        {"pctEnglisch", -1, P::Tooltip, " Set language to English "},
        {"cmdPathOpen", 0, P::Caption, "->"},
        {"cmdPathOpen", 1, P::Caption, "->"},
        {"cmdPathOpen", 2, P::Caption, "->"},
        {"lblCopyPfad", 0, P::Caption, "C:\\"},
        {"lblCopyPfad", 1, P::Caption, "C:\\"},
        {"lblCopyPfad", 2, P::Caption, "C:\\"},
        {"txtESD_Alter_Tex", -1, P::Caption, "0"},
        // Design captions of the copy buttons; the first language switch replaces them.
        {"cmdShapeCopy", 0, P::Caption, "Kopiere Shape und sd-Datei nach:"},
        {"cmdShapeCopy", 1, P::Caption, "Kopiere Shape und sd-Datei auch nach:"},
        {"cmdShapeCopy", 2, P::Caption, "Kopiere nur Shape nach:"},
    };
    return texts;
}

const std::vector<std::string>& languageEntries() {
    static const std::vector<std::string> entries = {"english", "deutsch"};
    return entries;
}

std::string lodCountCaption(int count, bool german) {
    const bool one = count == 1;
    const char* suffix =
        german ? (one ? " LOD gefunden:" : " LODs gefunden:") : (one ? " LOD found:" : " LODs found:");
    return std::to_string(count) + suffix;
}

LanguageLayout languageLayout(bool german) {
    return german ? LanguageLayout{4800, 580} : LanguageLayout{5000, 1100};
}

} // namespace quillfen::ui

#pragma once
// The main window's controls as typed pointers, each member named as the
// control it points to (members of a control array are std::arrays indexed by
// the element number). The window's build code fills it once; everything else
// reaches a control through it. The widgets still carry their names as object
// names, for the control lock, the tests and the screenshots.

#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace quillfen::ui {

class ClickablePicture;

inline constexpr int kCopyTargetCount = 3;

struct WindowControls {
    // Language
    QFrame* Picture1 = nullptr;
    ClickablePicture* pctGerman = nullptr;
    ClickablePicture* pctEnglisch = nullptr;
    QComboBox* cmbLang = nullptr;
    // LOD files and the s-file name
    QLabel* lblLODsGefunden = nullptr;
    QListWidget* lstLODListe = nullptr;
    QPushButton* cmdVorschlagUebernehmen = nullptr;
    QLineEdit* txtSDateiName = nullptr;
    QPushButton* cmdShapeToExplorer = nullptr;
    QPushButton* cmd3DView = nullptr;
    // Alternative textures
    QGroupBox* fraTexturen = nullptr;
    QRadioButton* optNurSommerTextur = nullptr;
    QRadioButton* optSchneeTextur = nullptr;
    QRadioButton* optSchneeUndNachtTextur = nullptr;
    QRadioButton* optJahreszeitenTextur = nullptr;
    QRadioButton* optManuellAlternativTexture = nullptr;
    QLineEdit* txtESD_Alter_Tex = nullptr;
    // Mipmap
    QGroupBox* fraMipMap = nullptr;
    QComboBox* cmbMipMap = nullptr;
    QPushButton* cmdMipMapHelp = nullptr;
    // Test options
    QCheckBox* chkTestOptionen = nullptr;
    QGroupBox* fraTestOptionen = nullptr;
    QCheckBox* chkAceUni = nullptr;
    QCheckBox* chkShaderDiffuse = nullptr;
    QCheckBox* chkShaderAddATexDiff = nullptr;
    // Reference entry
    QGroupBox* fraRef = nullptr;
    QCheckBox* chkRefEintrag = nullptr;
    QLabel* lblRefClass = nullptr;
    QLineEdit* txtRefClass = nullptr;
    QLabel* lblRefDescription = nullptr;
    QLineEdit* txtRefDescription = nullptr;
    // Bounding box
    QGroupBox* fraBoundingBox = nullptr;
    QCheckBox* chkBoundingBox = nullptr;
    QLineEdit* txtBBoxInput = nullptr;
    QLineEdit* txtBBox = nullptr;
    QPushButton* cmdBoundingBoxKorr = nullptr;
    QPushButton* cmdBBoxAusShape = nullptr;
    QTimer* tmrBBoxLabel = nullptr;
    // Copy targets
    std::array<QCheckBox*, kCopyTargetCount> chkShapeTo{};
    std::array<QPushButton*, kCopyTargetCount> cmdShapeCopy{};
    std::array<QPushButton*, kCopyTargetCount> cmdPathOpen{};
    std::array<QLabel*, kCopyTargetCount> lblCopyPfad{};
    QCheckBox* chkTextureCopy = nullptr;
    // Commands, busy display, log
    QPushButton* cmdErzeugeShape = nullptr;
    QCheckBox* chkCMD_sichtbar = nullptr;
    QPushButton* cmdAbbruch = nullptr;
    QFrame* Picture2 = nullptr;
    QLabel* imgRunning01 = nullptr;
    QLabel* imgRunning02 = nullptr;
    QLabel* imgRunning03 = nullptr;
    QLabel* imgRunning04 = nullptr;
    QPushButton* cmdQuit = nullptr;
    QPlainTextEdit* txtAusgabe = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* tmrBlinken = nullptr;

    [[nodiscard]] std::array<QCheckBox*, 3> testOptions() const {
        return {chkAceUni, chkShaderDiffuse, chkShaderAddATexDiff};
    }
};

} // namespace quillfen::ui

#pragma once
// Models of the secondary windows. Their captions are set from the language
// file even before the window is first opened.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>
#include "windows_only.h"

#include "state/controls.h"
#include "state/optical_config.h"

namespace sextrix {

// Optical configurations. The window edits its own copy of config.cfg;
// the file changes only on "Enregistrer".
struct ConfigModel {
    std::string caption = "Coefficient optique";
    std::array<Label, 3> Lbl{{{"Configuration optique de l'instrument:"}, {"Nom:"}, {"Modification:"}}};
    ListBox List1;
    // Name, Corr Asd, Corr Dec of the selected entry; Label4 names them.
    std::array<TextBox, 3> txt_coor{};
    std::array<Label, 3> Label4{{{"Nom:"}, {"Corr Asd:"}, {"Corr Dec:"}}};
    Button cmd1{"Supprimer"}, cmd2{"Nouveau"}, cmd3{"Utiliser", false}, cmd4{"Enregistrer"};
    // Holds "Nouveau", "Enregistrer", "Supprimer"; hidden when choosing a pair.
    Frame Frame1;
    // The configurations in file order; configCount is their number. The list
    // shows list position p for entry p (the names as last saved or deleted).
    std::vector<OpticalConfig> configs;
    // config.cfg is there but was not read whole: saving over it asks first.
    bool fileRefused = false;
};

// Classic calibration: sensor width and height (mm), pixels along x and y,
// focal length (mm) in txt 1 to 5.
struct Config2Model {
    std::string caption = "Etalonage classique";
    std::array<Label, 6> lbl{{{"Configuration optique de l'instrument:"}, {}, {}, {}, {}, {}}};
    std::array<TextBox, 6> txt{};  // 1..5
    Button cmd1{"Calculer"};
};

// New-reduction wizard: copies of the main window's inputs on three pages
// (Frame1 the field, Frame2 the scale factors, Frame3 the calculation's
// settings), handed back on "Terminer". Texts are placeholders: the main window's
// replace them when the window opens.
struct WizardModel {
    std::string caption = "Assistant d'astrometrie";
    std::array<Label, 16> Lbl{{{"Veuillez remplir les informations sur l'image:"},
                               {"RA:"},
                               {"DEC:"},
                               {"Epoch:"},
                               {"Mag max:"},
                               {"Image:"},
                               {"Parametres de calcul:"},
                               {"Champ:"},
                               {"Seuil calcul"},
                               {"Tolérance:"},
                               {"Configuration optique utilisé:"},
                               {"Config"},
                               {"LIBRE"},
                               {"LIBRE"},
                               {"Corr Asd"},
                               {"Corr Dec"}}};
    Frame Frame1{"Catalogue d'étoile"}, Frame2{"CCD", false}, Frame3{"", false};

    TextBox txt_url{"c:\\img.jpg"};
    std::array<TextBox, 3> txt_ra{{{"1"}, {"34"}, {"50"}}};
    std::array<TextBox, 3> txt_dec{{{"22"}, {"11"}, {"01"}}};
    // Option buttons "-" and "+"; the label shows the sign they chose.
    std::array<CheckBox, 2> txt_dec_sign{{{"-", 0}, {"+", 1}}};
    Label txt_dec_sign_show{"+"};
    TextBox txt_epoch{"2000.0"};
    TextBox txt_mag{"14"};

    ListBox Combo;
    TextBox txt_corrasd{"2599.43"};
    TextBox txt_corrdec{"2709.96"};

    TextBox txt_tolerance{"4"};
    TextBox txt_distance{"20"};
    TextBox txt_calcul{"4"};
    std::string txt_tolerance_tip = "Tolerance lors de la selection des images";
    std::string txt_calcul_tip = "Ce chiifre restreint le nombre de solution proposé à l'utilisateur";

    Button step1{"Suivant"}, step2{"Suivant"}, step3{"Terminer"};
    int defaultStep = 1;  // the button Enter presses: step1, step2 or step3

    // config.cfg as read when the window opened; Combo lists their names.
    std::vector<OpticalConfig> configs;
};

// Web access switches: update check, star download, asteroid download.
struct FrmInternetModel {
    std::string caption = "Internet bugs";
    std::array<CheckBox, 3> Chk{};
    Label Lbl{
        "Vous pouvez bloquer l'acces à ces sites web, afin que le programme puise continuer à marcher en cas de "
        "probléme de connexion."};
    Button cmdOK{"Ok"};
};

// A text box with the label that names it.
struct LabelledBox {
    Label label;
    TextBox box;
};

// The observer's settings for the reports to the Minor Planet Center, as
// text, from observer.cfg; the file changes only on "Enregistrer".
struct ReportSettingsModel {
    std::string caption = "Rapport";
    LabelledBox station, contactName, contactAddress, contactEmail, observers, measurers, aperture, focalRatio,
        telescopeDesign, acknowledgementEmails, comment, cameraUtcOffset;
    Label detectorLabel;
    ListBox detector{{"CCD", "CMOS"}, 0};  // in the order of Detector
    Button cmdSave{"Enregistrer"}, cmdCancel{"Annuler"};
    // The keys of a later version the file holds, written back as they were.
    std::vector<std::pair<std::string, std::string>> otherKeys;
};

// The residual table of the refined solution, filled when it opens.
struct ResidualsModel {
    std::string caption = "Résidus de la solution affinée";
    // Star, x, y, O-C in RA and in Dec (arcseconds), used or rejected.
    std::array<std::string, 6> columns{"Étoile", "x", "y", "O-C AD (\")", "O-C Déc (\")", "Utilisée"};
    std::vector<std::array<std::string, 6>> rows;
    std::string summary;
};

// The measurements kept for the reports, one row each, filled when the
// window opens and after each change.
struct MeasurementsModel {
    static constexpr int kColumns = 9;
    std::string caption = "Mesures";
    // Designation, image, UTC, RA, Dec, uncertainty ("), magnitude, SNR, O-C (").
    std::array<std::string, kColumns> columns{"Désignation", "Image", "Date UTC", "AD",      "Déc",
                                              "σ (\")",      "Mag",   "RSB",      "O-C (\")"};
    struct Row {
        std::array<std::string, kColumns> cells;
        // What a column sorts by when it is not its text: the sky position,
        // the numbers; none for the texts.
        std::array<std::optional<double>, kColumns> sortValues;
    };
    std::vector<Row> rows;  // in the order of ws.measurements
    std::string empty;      // shown instead of the table when there is no row
    Button cmdDelete{"Supprimer"}, cmdSave{"Enregistrer le rapport MPC…"}, cmdCopy{"Copier le rapport MPC"},
        cmdClose{"Fermer"};
};

// The series window: its frames and the moving objects found across them.
struct SeriesModel {
    std::string caption = "Série";
    // Image, UTC, state, stars matched, RMS (").
    std::array<std::string, 5> frameColumns{"Image", "Date UTC", "État", "Étoiles", "RMS (\")"};
    std::vector<std::array<std::string, 5>> frameRows;
    // Object, RA and Dec at the mid-time, rate ("/min), frames linked.
    std::array<std::string, 5> candidateColumns{"Objet", "AD", "Déc", "Vitesse (\"/min)", "Images"};
    std::vector<std::array<std::string, 5>> candidateRows;
    std::string summary;
    Button cmdFind{"Chercher les objets mobiles"}, cmdMeasure{"Mesurer sur toutes les images"}, cmdClose{"Fermer"};
    Button cmdBlink{"Clignoter"}, cmdStack{"Empiler"}, cmdMeasureStack{"Mesurer sur la pile"};
    std::string blinkRateUnit = "images/s";
    // Blinking: the solved frames on the first one's pixels, grey 0..255 with
    // the first one's stretch levels, and each moving object's track there.
    struct BlinkFrame {
        std::string caption;  // file and UTC
        std::vector<std::uint8_t> grey;
        int frame = -1;  // in ws.series.frames; -1 for a stack
    };
    int blinkWidth = 0, blinkHeight = 0;
    std::vector<BlinkFrame> blinkFrames;
    std::vector<std::vector<std::pair<double, double>>> tracks;
    std::optional<std::pair<double, double>> mark;  // the first click of an object being marked
};

}  // namespace sextrix

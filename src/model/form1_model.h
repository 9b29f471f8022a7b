#pragma once
// The main window as plain data: every control the logic addresses, named as
// the controls are, with their design-time captions and texts. Form1 owns the
// working state of the reduction.
#include <array>
#include <string>
#include <vector>
#include "windows_only.h"

#include "state/controls.h"
#include "state/picture_surface.h"
#include "state/rich_text_panel.h"
#include "working_state.h"

namespace sextrix {

constexpr int kStarMarkers = 4000;   // star(1..4000)
constexpr int kClickMarkers = 5;     // clicpic(1..5)
constexpr int kObjectMarkers = 500;  // aster, aster_lbl, deepobj_lbl (1..500)

struct Form1Model {
    WorkingState ws;

    std::string caption = "Velorin Sextrix";

    // Menus.
    MenuItem mnu_fichier{"Fichier"}, mnu_wizard{"Assistant"}, mnu_open{"Ouvrir Projet"}, mnu_save{"Enregistrer Projet"},
        mnu_savedefaut{"Save defaut"}, mnu_quit{"Qutiter"};
    MenuItem mnu_option{"Option"}, mnu_config{"Correcteurs"}, mnu_etalonage2{"Etalonage classique"},
        mnu_etalonage{"Etalonage par image"}, mnu_superetalonage{"Super Etalonage"}, mnu_webbugs{"Internet bugs"},
        mnu_lang{"Langue/Language"};
    // The precise positions: the WCS file beside the image, the residuals.
    MenuItem mnu_autosolve{"Résolution automatique"}, mnu_measure{"Mesurer"}, mnu_blindsolve{"Résolution sans indice"};
    // The measurements and the reports to the Minor Planet Center, and the
    // observer's settings the reports carry.
    MenuItem mnu_openseries{"Ouvrir une série…"};
    MenuItem mnu_measurements{"Mesures"}, mnu_savereport{"Enregistrer le rapport MPC…"},
        mnu_copyreport{"Copier le rapport MPC"}, mnu_reportsettings{"Rapport"};
    MenuItem mnu_exportwcs{"Exporter WCS"}, mnu_residus{"Résidus"}, mnu_residualtable{"Table des résidus"},
        mnu_residualvectors{"Vecteurs des résidus"};
    // How a FITS picture is shown; the items follow the order of Stretch
    // (fits/display_stretch.h), stretchChoice indexes them.
    MenuItem mnu_stretch{"Étirement", false};  // enabled while a FITS picture is shown
    std::array<MenuItem, 4> mnu_stretchKind{{{"Automatique"}, {"Fort"}, {"Linéaire min-max"}, {"Logarithmique"}}};
    int stretchChoice = 0;
    MenuItem mnu_Aide{"&?"}, mnu_help{"Aide"}, mnu_AideFR{"Français"}, mnu_AideEn{"English"}, mnu_about{"A propos"};

    // Step buttons and other buttons.
    Button DownloadData{"1-Download"}, SelectStar{"2-Etoiles"}, startCalcul{"3-Calcul"}, FullMap{"4-Full map"};
    // The identification without picks (also in menu Option).
    Button AutoSolve{"Résolution automatique"};
    // The measuring mode (also in menu Option, key M).
    Button Measure{"Mesurer"};
    Button Loadimg{"Load"}, LoadCorr{"Load"}, BoutonEtalo{"Suivant"}, Frm6close{"X"};
    // Shown only while a download runs; Esc in the main window presses it.
    Button CancelDownload{"Annuler", false};

    // 2 while "Load" beside the scale factors has the configurations window
    // open (to choose a pair), 0 otherwise.
    Int16 ConfigStatus = 0;

    // Frames: Menu, star catalogue options, CCD, Debug, calibration, suggestion,
    // decider, asteroid options, deep-sky options.
    std::array<Frame, 9> frm{{{"Menu"},
                              {"Catalogue d'étoile"},
                              {"CCD"},
                              {"Debug"},
                              {"Etalonage", false},
                              {"Sugestion"},
                              {"Décideur", false},
                              {"Asteroide", false},
                              {"Décideur", false}}};

    std::array<Label, 20> Lbl{
        {{"RA:"},
         {"DEC:"},
         {"Epoch:"},
         {"Champ"},
         {"Mag max:"},
         {"Seuil décision:"},
         {"Mag fullmap:"},
         {"Tolérance:"},
         {"Date:"},
         {"Heure"},
         {"Corr Asd"},
         {"Corr Dec"},
         {"Img:"},
         {"Info:"},
         {"Veuillez selectioner une étoile puis fournir ses coordonnées ci-dessous:"},
         {"RA:"},
         {"DEC:"},
         {"Champ"},
         {"Mag max"},
         {"Le décideur automatique permet de réduire le nombre de solutions proposés "
          "en ne retenant que celles dont les étoiles du catalogue tombent sur les étoiles de l'image."}}};

    // Option tab strip: tab captions 1..4 (index 0 unused) and the selected tab.
    std::array<std::string, 5> tabCaptions{"", "Basic", "Décideur", "Asteroïde", "CielProfond"};
    int selectedTab = 1;

    CheckBox CheckAster{"Télécharger et afficher les astéroides dans Fullmap"};
    CheckBox CheckDeepObj1{"Afficher les catalogues NGC/IC dans Calcul."};
    CheckBox CheckDeepObj2{"Afficher les catalogues NGC/IC dans Fullmap"};
    CheckBox Checkcenter{"Les coordonnées indiqués se trouvent sur l'image"};
    CheckBox CheckAutoload{"Auto load si modifié"};
    CheckBox CheckDecideur{"Décideur"};

    // Inputs of the reduction, with the values a first start shows.
    std::array<TextBox, 3> txt_ra{};
    std::array<TextBox, 3> txt_dec{};
    std::array<Label, 4> txt_dec_sign{{{"-"}, {"+"}, {"+"}, {"-"}}};
    std::array<Label, 2> txt_dec_sign_show{{{"+"}, {"+"}}};
    TextBox txt_epoch{"2000.0"};
    TextBox txt_distance{"20"};
    TextBox txt_mag{"13"};
    TextBox txt_mag2{"16"};
    TextBox txt_calcul{"10"};
    TextBox txt_tolerance{"7"};
    TextBox txt_corrasd{""};
    TextBox txt_corrdec{""};
    TextBox txt_url{""};
    // The middle of the exposure in UTC, as typed; empty: the picture's own
    // time (FITS header or EXIF).
    Label lbl_obstime{"Date/heure UTC (milieu de pose)"};
    TextBox txt_obstime{""};
    std::array<TextBox, 5> txt_Adate{};  // day, month, year, hour, minute
    TextBox txt_Afield{"100"};
    TextBox Txt_Amag{"16.0"};
    std::array<TextBox, 8> Etalo{};

    // Suggestion line and its blinking indicator.
    Label sugestion{""};
    std::array<PictureBox, 1> Picture2{};

    // Status list and light.
    ListBox status;
    PictureBox icoR{};
    PictureBox icoG{0, 0, 0, 0, false};

    // Information panel and pointer readout.
    Frame Frm6{"Info", false};
    RichTextPanel InfoMore;
    Label info{"Info:"};

    // The picture, its viewport and the magnifier.
    PictureSurface Picture1;
    PictureBox Picture1Box{};              // position and size of Picture1 inside PicOrange
    PictureBox PicOrange{0, 0, 640, 480};  // inner size of the viewport
    PictureBox zoom{0, 0, 102, 102, false};
    // What the magnifier shows: the 27 x 27 pixels around the pointer, row by
    // row (see chart/zoom.h).
    std::array<PackedColour, 729> zoomColours{};
    std::array<PictureBox, 5> PicMove{};  // 1..4

    // Overlay items over the picture.
    std::vector<OverlayItem> star = std::vector<OverlayItem>(kStarMarkers + 1);
    std::vector<OverlayItem> clicpic = std::vector<OverlayItem>(kClickMarkers + 1);
    std::vector<OverlayItem> aster = std::vector<OverlayItem>(kObjectMarkers + 1);
    std::vector<OverlayItem> aster_lbl = std::vector<OverlayItem>(kObjectMarkers + 1);
    std::vector<OverlayItem> deepobj_lbl = std::vector<OverlayItem>(kObjectMarkers + 1);
    std::array<OverlayItem, 4> centerpic{};
    // Residual vectors: left/top the star, width/height the magnified
    // residual in screen pixels; the bar's width is its screen length and
    // its text says what it stands for.
    std::vector<OverlayItem> residualUsed;
    std::vector<OverlayItem> residualRejected;
    OverlayItem residualBar;
    // The measurements made on the picture shown: left/top the measured
    // pixel, text its designation or its number in the measurements list.
    std::vector<OverlayItem> measureMarkers;
    bool overlaysCreated = false;  // items 1..n exist once start-up has made them

    Timer Timer1{50, true};
    Timer Timer2{500, false};
    Timer Timer3{1000, false};
};

}  // namespace sextrix

#pragma once
// Models of the secondary windows. Their captions are set from the language
// file even before the window is first opened.
#include <array>
#include <string>
#include <vector>

#include "controls.h"
#include "optical_config.h"

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
};

// Classic calibration: sensor width and height (mm), pixels along x and y,
// focal length (mm) in txt 1 to 5.
struct Config2Model {
    std::string caption = "Etalonage classique";
    std::array<Label, 6> lbl{{{"Configuration optique de l'instrument:"}, {}, {}, {}, {}, {}}};
    std::array<TextBox, 6> txt{};  // 1..5
    Button cmd1{"Calculer"};
};

// New-reduction wizard.
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
    Button step1{"Suivant"}, step2{"Suivant"}, step3{"Terminer"};
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

}  // namespace sextrix

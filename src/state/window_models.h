#pragma once
// Models of the secondary windows. Their captions are set from the language
// file even before the window is first opened.
#include <array>
#include <string>

#include "controls.h"

namespace sextrix {

// Optical configurations.
struct ConfigModel {
    std::string caption = "Coefficient optique";
    std::array<Label, 3> Lbl{{{"Configuration optique de l'instrument:"}, {"Nom:"}, {"Modification:"}}};
    Button cmd1{"Supprimer"}, cmd2{"Nouveau"}, cmd3{"Utiliser"}, cmd4{"Enregistrer"};
};

// Classic calibration.
struct Config2Model {
    std::string caption = "Etalonage classique";
    std::array<Label, 6> lbl{};
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

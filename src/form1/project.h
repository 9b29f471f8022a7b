#pragma once
// The main window's side of a project file (.pam): which controls its 29
// lines hold, and the menu items "Ouvrir Projet" / "Enregistrer Projet".
#include <string>

#include "model/app.h"

namespace sextrix {

// The 29 lines of the file for the controls as they stand, each ended by CR LF.
std::string projectFileBytes(const Form1Model& form);

// Menu "Enregistrer Projet": asks for a name (".pam" added as
// projectFileName says) and writes the file through a temporary file and a
// rename, so a failed save leaves any old file whole. Cancel does nothing.
void mnu_save_Click(App& app);

// Menu "Ouvrir Projet": asks for a file, reads and checks all 29 lines, and
// only then writes each control as a person would (its handler runs), loads
// the image, shows the "open" suggestion and starts a new reduction: no
// solution and no picks (forgetSolution, forgetPicks), the info panel
// closed, the status list empty, imageLoaded 0. A file that
// cannot be read or is not a whole project is reported in a warning box and
// changes nothing; Cancel does nothing, and so does the menu while a
// step (download, calculation, full map) runs.
void mnu_open_Click(App& app);

}  // namespace sextrix

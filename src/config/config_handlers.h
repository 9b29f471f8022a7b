#pragma once
// Config: the optical configurations. Two faces: editing (menu "Correcteurs":
// "Nouveau", "Supprimer", "Enregistrer") and choosing (the "Load" button beside
// the scale factors, Form1Model::ConfigStatus = 2: "Utiliser" only). The window
// edits a copy of config.cfg held in ConfigModel::configs; only "Enregistrer"
// writes the file, and closing the window otherwise drops the edits.
#include "model/app.h"

namespace sextrix {

// Captions, the face, then config.cfg into the list with its first entry
// selected. A missing or faulty file is reported and the window opens with
// what could be read (fileRefused when the file is there but faulty).
void Config_Form_Load(App& app);

// The selected entry (List1.selected) into the three boxes.
void Config_List1_Click(App& app);

// An edit of box `index` (0 name, 1 Corr Asd, 2 Corr Dec) into the selected
// entry. The list shows a new name after the next save or deletion.
void Config_txt_coor_Change(App& app, int index);

// "Nouveau": appends "Config#" (0, 0). With 15 configurations it says so and
// adds nothing.
void Config_cmd2_Click(App& app);

// "Supprimer": removes the selected entry and selects the one now in its place
// (or the new last). Nothing selected: does nothing. An emptied list leaves the
// boxes empty.
void Config_cmd1_Click(App& app);

// "Enregistrer": writes config.cfg (through a temporary file, so a failed save
// leaves the old file whole). A file that was not read whole when the window
// opened is replaced only when the user says yes. True when saved: the window
// then closes; a failure or a no leaves the window open with its entries.
bool Config_cmd4_Click(App& app);

// "Utiliser": the boxes' Corr Asd and Corr Dec, saved or not, into the main
// window's scale boxes, as if typed there. With no configuration selected
// (none saved, or the list emptied) the scale boxes stay as they were. The
// window then closes.
void Config_cmd3_Click(App& app);

}  // namespace sextrix

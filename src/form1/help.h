#pragma once
// The help menu: the about box and the user manual in two languages.
#include "model/app.h"

namespace sextrix {

// Menu "A propos": the splash window as the about box, until it is clicked.
void mnu_about_Click(App& app);

// Menus "Français" and "English": the help window on aide-fr.html or
// aide-en.html of the data folder. A missing page is reported in a message
// box ending with the page's path in brackets, and no window opens.
void mnu_AideFR_Click(App& app);
void mnu_AideEn_Click(App& app);

}  // namespace sextrix

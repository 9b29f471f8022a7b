#pragma once
// Handlers of the main window that belong to the workflow itself.
#include "model/app.h"

namespace sextrix {

// Shows the option frame of the selected tab (1..4), hiding the other three.
void TabStrip1_Click(Form1Model& form);

void Frm6close_Click(Form1Model& form);

// Menu "Langue/Language": the chooser, with the captions applied at once.
void mnu_lang_Click(App& app);

// Menu "Internet bugs": the web access switches.
void mnu_webbugs_Click(App& app);

// Menu "Rapport": the observer's settings for the reports.
void mnu_reportsettings_Click(App& app);

// Menu "Correcteurs": the optical configurations, to edit them.
void mnu_config_Click(App& app);

// Menu "Etalonage classique": the scale factors from the camera's data.
void mnu_etalonage2_Click(App& app);

// Menu "Assistant": the wizard. Finished with "Terminer" (WizardStatus 1) it
// runs "1-Download" and "2-Etoiles"; the fifth pick then starts the
// calculation by itself. Closed otherwise, nothing follows. Ignored while
// another step runs.
void mnu_wizard_Click(App& app);

// "Load" beside the scale factors: the optical configurations, to choose a
// pair (ConfigStatus is 2 while the window is open).
void LoadCorr_Click(App& app);

// What the panning timer sees of the keyboard and focus.
struct PanInput {
    bool mainWindowActive = false;
    bool leftButtonDown = false;
    bool right = false, up = false, left = false, down = false;  // arrow keys down
};

// One 50 ms tick: moves the picture by 10 pixels in at most one direction.
void Timer1_Timer(Form1Model& form, const PanInput& input);

}  // namespace sextrix

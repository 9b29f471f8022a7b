#pragma once
// Wizard: the inputs of a new reduction on three pages, edited as copies of
// the main window's boxes. "Terminer" hands them back and sets
// Form1Model::ws.WizardStatus to 1, after which the main window downloads and
// starts the picking by itself (mnu_wizard_Click); the close box hands back
// nothing.
#include "model/app.h"

namespace sextrix {

// Captions, WizardStatus 0, the main window's inputs copied in (wizardTextPairs
// and the sign), page 1 shown, and config.cfg into Combo. A missing or faulty
// file is reported and the window opens with what could be read.
void Wizard_Form_Load(App& app);

// "Suivant" of page 1 and of page 2: the next page, its button the default.
// Nothing typed is checked, and there is no way back.
void Wizard_step1_Click(App& app);
void Wizard_step2_Click(App& app);

// The chosen configuration's two factors into the scale boxes, where they
// may still be edited.
void Wizard_Combo_Click(App& app);

// Option 0 ("-") or 1 ("+"): checks it and shows its sign.
void Wizard_txt_dec_sign_Click(App& app, int index);

// "Terminer": WizardStatus 1, then every copied input back into the main
// window as if typed there. The window then closes.
void Wizard_step3_Click(App& app);

// The text boxes the wizard copies, main window's first, in the order they
// are copied in and back. The sign travels beside them.
struct WizardTextPair {
    TextBox& main;
    TextBox& wizard;
};
std::vector<WizardTextPair> wizardTextPairs(App& app);

}  // namespace sextrix

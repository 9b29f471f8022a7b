#pragma once
// frmInternet: the three web access switches, each captioned with the
// address hosts.cfg gives its service. Only "Ok" changes the switches.
#include "model/app.h"

namespace sextrix {

// Captions (language file, then the address in use) and the switches as they
// stand; the update switch unticked and greyed when hosts.cfg names no update
// server.
void FrmInternet_Load(App& app);

// The switches from the three check boxes; a greyed one changes nothing.
void FrmInternet_cmdOK_Click(App& app);

}  // namespace sextrix

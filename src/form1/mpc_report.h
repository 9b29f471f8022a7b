#pragma once
// The report to the Minor Planet Center of every measurement kept, from the
// menu Fichier and the measurements window: saved to a file, 80-column or
// ADES by its name, or copied to the clipboard in 80 columns.
#include "model/app.h"

namespace sextrix {

// Asks for a file (".psv" or ".xml": ADES; any other name: 80-column) and
// writes the report through a temporary file, so a failed save leaves an
// earlier file whole. Nothing is written, and a message says why, when a
// measurement has no time or designation, the settings (observer.cfg) have
// no observatory code, or the report cannot be made.
void mnu_savereport_Click(App& app);

// The 80-column report on the clipboard, refused as the save is.
void mnu_copyreport_Click(App& app);

}  // namespace sextrix

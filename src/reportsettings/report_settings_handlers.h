#pragma once
// The "Report" window: the observer's settings that the reports to the Minor
// Planet Center carry, kept in observer.cfg in the program folder. Only
// "Save" writes the file.
#include "model/app.h"

namespace sextrix {

// Captions from the language file and the boxes from observer.cfg, numbers
// with the user's decimal separator. A file that cannot be read, or lines of
// it that are not taken, are told in a message; the window then starts from
// what was read (nothing for a file not read), and the file stays as it is.
void ReportSettings_Load(App& app);

// The settings from the boxes, written to observer.cfg with the keys of a
// later version the file held. False, with a message and nothing written,
// when a box cannot be taken (it is named by its caption) or the file cannot
// be written: the window stays open.
bool ReportSettings_cmdSave_Click(App& app);

}  // namespace sextrix

#pragma once
// The main window's side of defaut.cfg: which controls its 16 lines fill.
#include <string>

#include "model/app.h"
#include "state/read_result.h"

namespace sextrix {

// The 16 lines of the file for the controls as they stand, each ended by CR LF.
std::string defaultsFileBytes(const Form1Model& form);

// Sets the controls line by line until the end of the file. Each control is
// written as the window would write it, so its change or click handler runs
// (a ticked "Auto load" starts the reload watch). Returns the number of
// controls set, or the first line that cannot be used (a check-box line that
// is not 0, 1 or 2, naming defaut.cfg): the controls before it are set.
Result<int> applyDefaults(App& app, const std::string& bytes);

// Start-up: reads the program folder's defaut.cfg silently; a missing file is
// the normal first start, and a bad line keeps the values before it.
void readDefaults(App& app);

// Menu "Save defaut". A failure to write is shown and changes nothing else.
void mnu_savedefaut_Click(App& app);

}  // namespace sextrix

#pragma once
// The catalogue files the steps read: the star answer, the asteroid answer
// and the two deep-sky files beside the program.
#include "state/app.h"

namespace sextrix {

// Step "3-Calcul" and "4-Full map": reads data.txt from the program folder into
// the catalogue arrays (catTotal records, catCount <= 497 of them for the
// identification) and posts a status line before and after. A missing file is
// shown in a message box and leaves both counts at 0; a record that cannot be
// read leaves them at 0 and throws FileError naming the file and the record.
void READFILE(App& app);

// Step "4-Full map": reads data2.txt from the program folder into the asteroid
// arrays and posts the closing status line. A missing file is shown in a
// message box and leaves astCount at 0; a line that cannot be read leaves it
// at 0 and throws FileError naming the file and the line.
void READFILE_ASTER(App& app);

// Steps "3-Calcul" and "4-Full map": converts the typed centre with
// CentreJ2000, fills the deep-sky arrays from both files and posts the closing
// status line. A missing file or a line that cannot be read is shown in a
// message box; what was read is kept and reading goes on with the next file.
void READFILE_NGCIC(App& app);

}  // namespace sextrix

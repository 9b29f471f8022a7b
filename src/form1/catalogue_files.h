#pragma once
// The catalogue files the steps read: the star answer, the asteroid answer
// and the two deep-sky files beside the program.
#include <optional>

#include "chart.h"
#include "model/app.h"

namespace sextrix {

// Step "3-Calcul" and "4-Full map": reads data.txt from the program folder into
// the catalogue arrays (catTotal records, catCount <= 497 of them for the
// identification) and posts a status line before and after. A missing file is
// shown in a message box and leaves both counts at 0; a record that cannot be
// read leaves them at 0 and throws ReadFailure naming the file and the record.
// Right ascensions are taken within half a turn of the step's centre (kept
// as read without one), so that a field across 0 h stays continuous;
// catRa/catDec keep them unrounded. When the step's centre has left the area
// the answer was fetched for (data.area, see catalog/catalogue_area.h), a
// status line says so, naming both centres; the step goes on, as the user may
// know better. An area file that cannot be read is said in a status line and
// taken as no area.
void READFILE(App& app, const std::optional<StepCentre>& centre = std::nullopt);

// Step "4-Full map": reads data2.txt from the program folder into the asteroid
// arrays and posts the closing status line. A missing file is shown in a
// message box and leaves astCount at 0; a line that cannot be read leaves it
// at 0 and throws ReadFailure naming the file and the line. Right ascensions are
// unwrapped around the step's centre as READFILE's are.
void READFILE_ASTER(App& app, const std::optional<StepCentre>& centre = std::nullopt);

// Steps "3-Calcul" and "4-Full map": fills the deep-sky arrays with the
// objects around the step's centre from both files (right ascensions
// unwrapped around it as READFILE's are) and posts the closing
// status line. A missing file or a line that cannot be read is shown in a
// message box; what was read is kept and reading goes on with the next file.
void READFILE_NGCIC(App& app, const StepCentre& centre);

}  // namespace sextrix

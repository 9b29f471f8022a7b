#pragma once
// A night's series in the main window: "Ouvrir une série…" opens several
// frames of one field, solves them all on worker threads with the main
// window's hints (Esc cancels), and shows the series window, which looks for
// the objects that move across them and measures a chosen one on every frame.
#include "model/app.h"

namespace sextrix {

// Asks for the frames, reads them (sorted by the middle of their exposure),
// reads the catalogue answer around the typed centre, solves every frame and
// opens the series window. A frame that cannot be read or solved is marked
// with why and left out of what follows, never guessed.
void mnu_openseries_Click(App& app);

// The series window's rows from ws.series, in the interface's language.
void fillSeriesModel(App& app);

// "Find moving objects": tracklets across the solved frames with a time.
void Series_Find_Click(App& app);

// "Blink": the solved frames resampled onto the first one's pixels and
// shown with its stretch, and each moving object's track on them.
void Series_Blink_Click(App& app);

// "Stack": the median of the solved frames with a time on the first one's
// pixels, shifted along the chosen object's motion (none: on the stars), so
// that the object is a point where it was at the stack's mid-time; shown
// as the last of the blinking frames.
void Series_Stack_Click(App& app, int candidate);

// "Measure on every frame": the chosen object measured where its motion
// puts it on each solved frame with a time, each measurement added to the
// measurements list (File > Measurements) for the report.
void Series_Measure_Click(App& app, int candidate);

}  // namespace sextrix

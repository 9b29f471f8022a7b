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

// "Find moving objects": tracklets across the solved frames with a time,
// each named after the listed asteroid it is (when the asteroid list was
// downloaded in this session for that night); they replace the objects found
// before, and those marked by hand stay.
void Series_Find_Click(App& app);

// A click at (x, y) on the blinking frame shown, in the first frame's
// pixels: the first click of an object marks where it is on that frame, a
// click on another frame gives its motion and adds it to the objects (true
// then). The object's centroid is taken, not the click; a click where no
// source stands, on a frame without a time or on the stack says why.
bool Series_Mark_Click(App& app, int shown, double x, double y);

// The objects' tracks on the first frame's pixels, for the blinking view.
void placeSeriesTracks(App& app);

// Right ascension and declination of (x, y) on the first frame's pixels.
std::string seriesPointerText(const App& app, double x, double y);

// "Blink": the solved frames resampled onto the first one's pixels and
// shown with its stretch, and each moving object's track on them.
void Series_Blink_Click(App& app);

// "Stack": the median of the solved frames with a time on the first one's
// pixels (shown with the frames' levels), shifted along the chosen object's motion (none: on the stars), so
// that the object is a point where it was at the stack's mid-time; shown
// as the last of the blinking frames.
void Series_Stack_Click(App& app, int object);

// "Measure on the stack": the chosen object measured on the median stack
// along its motion, at the stack's mid-time (series/stack_measurement.h),
// added to the measurements list; for an object too faint on each frame.
void Series_MeasureStack_Click(App& app, int object);

// "Measure on every frame": the chosen object measured where its motion
// puts it on each solved frame with a time, each measurement added to the
// measurements list (File > Measurements) for the report.
void Series_Measure_Click(App& app, int object);

}  // namespace sextrix

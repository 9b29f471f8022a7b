#pragma once
// The pointer and the clicks over the picture, the magnifier that lies over
// it, the name labels of the chart and the panning buttons beside it.
// Positions are in picture pixels.
#include "model/app.h"

namespace sextrix {

// A click on Picture1, by mode: "select" and "etalo" pick the star at the
// pointer (the fifth pick of a wizard run starts the calculation); "coor"
// reports the sky position of the pointer; in "superetalo", while a star is
// armed, the click keeps it with the next red marker.
void Picture1_Click(App& app);

// After a chart or in "coor" mode: the report of the asteroid, else of the
// star, under the last pointer position (clickX, clickY). Asteroids win.
void Picture1_DblClick(App& app);

// Pointer move over Picture1. Records (clickX, clickY); while picking
// ("select", "etalo") redraws the magnifier; otherwise hides it and, after a
// finished chart or in "superetalo", shows the star under the pointer in
// `info` (kept as it was when no star is there or the star's position cannot
// be written); in "superetalo", while armed, that star also fills the
// calibration boxes. A position beyond 16-bit pixels is ignored.
void Picture1_MouseMove(App& app, double x, double y);

// Moves the magnifier so that its point (50, 50) lies over (clickX, clickY)
// and fills zoomColours from Picture1.
void dozoom(Form1Model& form);

// The pointer over the magnifier itself, (x, y) in its own pixels: the
// magnifier follows it. A position beyond 16-bit pixels is ignored.
void zoom_MouseMove(App& app, double x, double y);

// A click on the magnifier picks the star at the pointer, as a click on the
// picture does, while stars are being picked.
void zoom_Click(App& app);

// The report of asteroid index (0..500).
void aster_lbl_Click(App& app, Int16 index);

// The report of deep-sky object index (0..500).
void deepobj_lbl_Click(App& app, Int16 index);

// Panning buttons PicMove(1..4): pressing one holds the direction (1 left,
// 2 down, 3 right, 4 up) for the panning timer, releasing it stops.
void PicMove_MouseDown(Form1Model& form, int index);
void PicMove_MouseUp(Form1Model& form);

}  // namespace sextrix

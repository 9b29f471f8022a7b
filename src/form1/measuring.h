#pragma once
// Measuring objects on a solved picture: the mode ("Measure", key M) and the
// click that measures the object under the pointer.
#include "measure/listed_asteroids.h"
#include "model/app.h"

namespace sextrix {

// Turns the measuring mode on, or off again. It needs the refined solution
// of the picture; without one the status line says so and the mode stays.
void mnu_measure_Click(App& app);

// In the measuring mode, a click at (ws.clickX, ws.clickY): the object near
// it is measured (measure/target_measurement.h) and kept in
// ws.measurements with its time and, within 20" of a listed asteroid, that
// asteroid's designation and O-C; a status line gives the result, or why
// nothing was measured (nothing is kept then).
void measureClick(App& app);

// The asteroids of the list read (ws.astX, ws.astY) at their places.
std::vector<ListedAsteroid> listedAsteroids(const WorkingState& ws);

// The catalogue the star answer (data.txt) came from: the one its area
// names, else the star service hosts.cfg names now; for a local catalogue,
// the one it was imported from. None for a catalogue the reports cannot name
// (a local Tycho-2).
std::optional<Catalogue> answerCatalogue(const App& app);

// The status line refusing measurements against such a catalogue.
std::string otherCatalogueText(const App& app);

}  // namespace sextrix

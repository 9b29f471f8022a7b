#pragma once
// The measurements kept for the reports: the window "Mesures" that lists,
// deletes and names them, and their markers on the picture.
#include <string>
#include <vector>

#include "model/app.h"

namespace sextrix {

// Menu "Mesures": fills the window's rows from ws.measurements and opens it.
void mnu_measurements_Click(App& app);

// The window's rows, one per measurement in ws.measurements' order, with the
// captions in the interface's language.
void fillMeasurementsModel(App& app);

// Deletes the measurements at these indices of ws.measurements (any order,
// an index out of range is passed over); the rows and markers follow.
void deleteMeasurements(App& app, std::vector<int> indices);

// Gives the measurement at `index` the designation typed. Empty text gives
// it back the listed asteroid's; a text that is no designation is refused
// with a message and changes nothing. False when refused.
bool renameMeasurement(App& app, int index, const std::string& typed);

// One marker per measurement made on the picture shown.
void placeMeasureMarkers(Form1Model& form);

// "08 51 11.78" and "+11 45 22.0": a measured position's digits.
std::string measuredRaText(double raDeg, char decimalSeparator);
std::string measuredDecText(double decDeg, char decimalSeparator);
// "+0.3 -1.2": observed minus computed in RA·cos δ and Dec, arcseconds.
std::string ocText(const AsteroidMatch& match, char decimalSeparator);

}  // namespace sextrix

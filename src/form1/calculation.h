#pragma once
#include <functional>

#include "model/app.h"

namespace sextrix {

// "3-Calcul": reload the image, read the catalogue answer and the deep-sky
// objects around the centre, identify the five picked stars and chart the
// solution. Without five picks of the current picking, only the advice to
// pick five stars (suggestion and status line). A failure is shown, naming
// the box at fault when a box cannot be read. A calculation that ends
// without an accepted candidate (refused, none found, stopped, failed)
// leaves no solution (forgetSolution).
void startCalcul_Click(App& app);

// What every identification starts with: the image reloaded, no solution,
// the status light red, the scale factors read from their boxes, the star markers
// hidden.
void beginIdentification(App& app);

// Runs the steps of an identification and ends it, also when they fail: the
// light green for an accepted solution, else no solution at all
// (forgetSolution). A failure goes on to the caller.
void runIdentification(App& app, const std::function<void()>& steps);

}  // namespace sextrix

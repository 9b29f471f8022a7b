#pragma once
// Showing, hiding and labelling the overlay items of the charts.
#include <string>
#include <vector>

#include "state/controls.h"
#include "state/platform.h"

namespace sextrix {

// Hides items 1..last of the set.
void hideItems(std::vector<OverlayItem>& items);
// A flag per index 0..count, all clear.
std::vector<bool> noneSkipped(int count);
// Shows items 1..count except those flagged in `skipped` (indexed like items).
void showItems(std::vector<OverlayItem>& items, int count, const std::vector<bool>& skipped);
// A label takes its text and the width that text is laid out in.
void setLabelText(OverlayItem& label, const std::string& text, TextMeasure& measure);

}  // namespace sextrix

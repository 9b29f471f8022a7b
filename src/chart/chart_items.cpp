#include "chart_items.h"

namespace sextrix {

void hideItems(std::vector<OverlayItem>& items) {
    for (std::size_t i = 1; i < items.size(); ++i) items[i].visible = false;
}

std::vector<bool> noneSkipped(int count) { return std::vector<bool>(count > 0 ? count + 1 : 1); }

void showItems(std::vector<OverlayItem>& items, int count, const std::vector<bool>& skipped) {
    for (int i = 1; i <= count; ++i)
        if (!skipped.at(i)) items.at(i).visible = true;
}

void setLabelText(OverlayItem& label, const std::string& text, TextMeasure& measure) {
    label.text = text;
    label.width = measure.textWidth(text);
}

}  // namespace sextrix

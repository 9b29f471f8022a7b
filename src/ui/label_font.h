#pragma once
#include <QFont>

namespace sextrix::ui {

// The font of the name labels painted over the picture; the chart centres
// labels with widths measured in it.
inline QFont labelFont() {
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    return font;
}

}  // namespace sextrix::ui

#pragma once
// The zoom of the picture viewport. Only the view scales: the handlers keep
// working in picture pixels, and the view converts the pointer for them.
#include <QPointF>
#include <QSize>
#include <QString>
#include <array>

namespace sextrix::ui {

// The fixed levels, smallest first; "fit" adds the level that shows the
// whole picture in the viewport.
inline constexpr std::array<double, 10> kZoomLevels{0.25, 1.0 / 3, 0.5, 2.0 / 3, 0.75, 1, 1.5, 2, 3, 4};

struct ViewZoom {
    bool fit = false;
    double level = 1;  // used when not fit

    static ViewZoom fitted() { return {true, 1}; }
    static ViewZoom at(double level) { return {false, level}; }

    // The scale shown for a picture of `image` pixels in a viewport of `view`.
    double scale(QSize image, QSize view) const;
    // The picture's size on screen at that scale, at least 1 x 1.
    QSize shownSize(QSize image, QSize view) const;
    // The next stop above (direction > 0) or below the scale shown, among the
    // levels and the fit scale; itself at either end.
    ViewZoom stepped(int direction, QSize image, QSize view) const;
    // "Fit (42 %)" or "150 %" (French: "Ajusté (42 %)").
    QString text(QSize image, QSize view, bool french) const;
};

// The fit scale: the whole picture in the viewport, never above the top level.
double fitScale(QSize image, QSize view);

// Picture pixels and view pixels of a picture shown `shown` pixels large.
// Pixel centres map onto pixel centres, so at 100 % both are the same and the
// view pixel under the pointer rounds to the picture pixel drawn there.
class ViewMapping {
public:
    ViewMapping() = default;
    ViewMapping(QSize image, QSize shown);

    QPointF toImage(QPointF view) const { return {(view.x() + 0.5) / sx_ - 0.5, (view.y() + 0.5) / sy_ - 0.5}; }
    QPointF toView(QPointF image) const { return {(image.x() + 0.5) * sx_ - 0.5, (image.y() + 0.5) * sy_ - 0.5}; }
    double sx() const { return sx_; }
    double sy() const { return sy_; }

private:
    double sx_ = 1, sy_ = 1;
};

}  // namespace sextrix::ui

#include "view_zoom.h"

#include <algorithm>
#include <cmath>

namespace sextrix::ui {

namespace {
// Scales closer than this are the same stop.
constexpr double kSameScale = 1e-6;
}  // namespace

double fitScale(QSize image, QSize view) {
    if (image.isEmpty() || view.isEmpty()) return 1;
    const double scale = std::min(double(view.width()) / image.width(), double(view.height()) / image.height());
    return std::min(scale, kZoomLevels.back());
}

double ViewZoom::scale(QSize image, QSize view) const { return fit ? fitScale(image, view) : level; }

QSize ViewZoom::shownSize(QSize image, QSize view) const {
    const double s = scale(image, view);
    return {std::max(1, int(std::lround(image.width() * s))), std::max(1, int(std::lround(image.height() * s)))};
}

ViewZoom ViewZoom::stepped(int direction, QSize image, QSize view) const {
    const double now = scale(image, view);
    // How far a scale lies beyond the one shown, in the direction asked: > 1 when beyond.
    auto ahead = [&](double candidate) { return direction > 0 ? candidate / now : now / candidate; };
    ViewZoom best = *this;
    double bestAhead = 0;
    auto consider = [&](double candidate, ViewZoom zoom) {
        const double a = ahead(candidate);
        if (a <= 1 + kSameScale) return;
        if (bestAhead == 0 || a < bestAhead * (1 - kSameScale)) best = zoom, bestAhead = a;
    };
    // Levels first: a fit scale equal to a level gives the level.
    for (double l : kZoomLevels) consider(l, at(l));
    consider(fitScale(image, view), fitted());
    return best;
}

QString ViewZoom::text(QSize image, QSize view, bool french) const {
    const long percent = std::lround(scale(image, view) * 100);
    if (!fit) return QString("%1 %").arg(percent);
    return QString(french ? "Ajusté (%1 %)" : "Fit (%1 %)").arg(percent);
}

ViewMapping::ViewMapping(QSize image, QSize shown) {
    if (image.isEmpty() || shown.isEmpty()) return;
    sx_ = double(shown.width()) / image.width();
    sy_ = double(shown.height()) / image.height();
}

}  // namespace sextrix::ui

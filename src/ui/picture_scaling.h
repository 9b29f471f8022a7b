#pragma once
// The core's picture as the view shows it at a zoom other than 100 %.
#include <QImage>
#include <QRect>
#include <QSize>

#include "state/picture_surface.h"

namespace sextrix::ui {

// The part `area` (view pixels) of the picture shrunk to `shown`: each view
// pixel takes, channel by channel, the brightest of the picture pixels it
// covers, so that stars and the one-pixel drawings (the candidates' crosses)
// stay visible where an average would fade them into the sky.
QImage shrinkBrightest(const PictureSurface& picture, QSize shown, QRect area);

// The part `area` (view pixels) of the picture enlarged to `shown`: each view
// pixel shows the picture pixel under its centre, as sharp blocks.
QImage enlargeNearest(const PictureSurface& picture, QSize shown, QRect area);

}  // namespace sextrix::ui

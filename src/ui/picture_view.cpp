#include "picture_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include "chart/zoom.h"
#include "ui/label_font.h"
#include "ui/picture_scaling.h"

namespace sextrix::ui {

static_assert(std::endian::native == std::endian::little, "the view reads packed colours as RGBX bytes");

namespace {
const QColor kStarGreen(0x00, 0xFF, 0x00);
const QColor kClickRed(0xFF, 0x00, 0x00);
const QColor kAsteroidYellow(0xFF, 0xFF, 0x00);
const QColor kDeepSkyBlue(0x80, 0x80, 0xFF);
const QColor kCentreCross(0xFF, 0x80, 0x00);
const QColor kResidualCyan(0x00, 0xE0, 0xFF);
const QColor kMeasureMagenta(0xFF, 0x40, 0xFF);

// A marker keeps its size on screen and its centre on its picture point, on
// whole screen pixels (outlines drawn from whole pixels are also the fastest).
QPointF markerTopLeft(const ViewMapping& map, const OverlayItem& item) {
    const QPointF centre = map.toView(QPointF(item.left + item.width / 2, item.top + item.height / 2));
    return {std::round(centre.x() - item.width / 2), std::round(centre.y() - item.height / 2)};
}

}  // namespace

PictureView::PictureView(Form1Model& form, QWidget* parent) : QWidget(parent), form_(form) {
    setObjectName("Picture1");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize PictureView::imageSize() const { return {form_.Picture1.width(), form_.Picture1.height()}; }
QSize PictureView::viewportSize() const { return {form_.PicOrange.width, form_.PicOrange.height}; }
QSize PictureView::shownSize() const { return {form_.Picture1Box.width, form_.Picture1Box.height}; }
ViewMapping PictureView::mapping() const { return ViewMapping(imageSize(), shownSize()); }

QString PictureView::zoomText(bool french) const {
    if (imageSize().isEmpty()) return {};
    return zoom_.text(imageSize(), viewportSize(), french);
}

void PictureView::clampBox() {
    PictureBox& box = form_.Picture1Box;
    auto clamp = [](int& position, int shown, int view) {
        position = shown <= view ? 0 : std::clamp(position, view - shown, 0);
    };
    clamp(box.left, box.width, form_.PicOrange.width);
    clamp(box.top, box.height, form_.PicOrange.height);
}

void PictureView::resizeBox() {
    const QSize shown = zoom_.shownSize(imageSize(), viewportSize());
    if (shown == shownSize()) return;
    form_.Picture1Box.width = shown.width();
    form_.Picture1Box.height = shown.height();
    clampBox();
}

void PictureView::syncFromModel() {
    const QSize image = imageSize();
    const QSize before = shownSize();
    const ViewZoom zoomBefore = zoom_;
    if (!image.isEmpty()) {
        if (image != zoomedImage_) {
            zoomedImage_ = image;
            const QSize view = viewportSize();
            const bool larger = image.width() > view.width() || image.height() > view.height();
            zoom_ = larger ? ViewZoom::fitted() : ViewZoom::at(1);
        }
        resizeBox();
    }
    const PictureBox& box = form_.Picture1Box;
    const QRect wanted(box.left, box.top, std::max(box.width, 1), std::max(box.height, 1));
    if (geometry() != wanted) setGeometry(wanted);
    shownMagnifier_ = magnifierRect();
    update();
    const bool zoomChanged = zoom_.fit != zoomBefore.fit || zoom_.level != zoomBefore.level;
    if ((zoomChanged || shownSize() != before) && onZoomChanged) onZoomChanged();
}

void PictureView::setZoom(ViewZoom zoom, QPointF anchor) {
    const QSize image = imageSize();
    if (image.isEmpty()) return;
    PictureBox& box = form_.Picture1Box;
    const QPointF under = mapping().toImage(anchor - QPointF(box.left, box.top));
    zoom_ = zoom;
    zoomedImage_ = image;
    const QSize shown = zoom_.shownSize(image, viewportSize());
    box.width = shown.width();
    box.height = shown.height();
    const QPointF there = mapping().toView(under);
    box.left = static_cast<int>(std::lround(anchor.x() - there.x()));
    box.top = static_cast<int>(std::lround(anchor.y() - there.y()));
    clampBox();
    syncFromModel();
    if (onZoomChanged) onZoomChanged();
}

void PictureView::stepZoom(int direction, QPointF anchor) {
    if (imageSize().isEmpty()) return;
    setZoom(zoom_.stepped(direction, imageSize(), viewportSize()), anchor);
}

QRect PictureView::magnifierRect() const {
    const PictureBox& z = form_.zoom;
    if (!z.visible) return {};
    // The magnifier's point (50, 50) lies over the pointer's picture pixel.
    const QPointF centre = mapping().toView(QPointF(z.left + kZoomCentre, z.top + kZoomCentre));
    return {static_cast<int>(std::lround(centre.x())) - kZoomCentre,
            static_cast<int>(std::lround(centre.y())) - kZoomCentre, z.width, z.height};
}

void PictureView::syncMagnifier() {
    const QRect now = magnifierRect();
    if (!shownMagnifier_.isEmpty()) update(shownMagnifier_);
    if (!now.isEmpty()) update(now);
    shownMagnifier_ = now;
}

void PictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    paintPicture(painter, area);
    paintOverlays(painter, area);
    if (form_.zoom.visible) paintMagnifier(painter);
}

void PictureView::paintPicture(QPainter& painter, const QRect& area) {
    painter.fillRect(area, Qt::black);
    const PictureSurface& surface = form_.Picture1;
    const QSize image = imageSize(), shown = shownSize();
    const bool shrinking = !surface.empty() && (shown.width() < image.width() || shown.height() < image.height());
    if (!shrinking && !shrunkTiles_.empty()) {
        shrunkTiles_.clear();
        shrunkSize_ = QSize();
    }
    if (surface.empty()) {
        image_ = QImage();
        return;
    }
    const QRect part = area & QRect(QPoint(0, 0), shown);
    if (shown == image) {
        if (imageRevision_ != surface.revision() || image_.isNull()) {
            imageRevision_ = surface.revision();
            // Packed colours are red, green, blue, 0 in memory: the bytes of an
            // RGBX image, so the view wraps the core's raster without a copy.
            image_ = QImage(reinterpret_cast<const uchar*>(surface.drawnPixels().data()), surface.width(),
                            surface.height(), surface.width() * 4, QImage::Format_RGBX8888);
        }
        painter.drawImage(part.topLeft(), image_, part);
    } else if (shrinking) {
        constexpr int tile = 256;
        const int columns = (shown.width() + tile - 1) / tile;
        if (shrunkSize_ != shown) {
            shrunkSize_ = shown;
            shrunkTiles_.assign(std::size_t(columns) * ((shown.height() + tile - 1) / tile), {});
        }
        for (int ty = part.top() / tile; ty <= part.bottom() / tile; ++ty)
            for (int tx = part.left() / tile; tx <= part.right() / tile; ++tx) {
                ShrunkTile& t = shrunkTiles_[std::size_t(ty) * columns + tx];
                const QRect tileArea = QRect(tx * tile, ty * tile, tile, tile) & QRect(QPoint(0, 0), shown);
                if (t.revision != surface.revision()) {
                    t.image = shrinkBrightest(surface, shown, tileArea);
                    t.revision = surface.revision();
                }
                const QRect piece = tileArea & part;
                painter.drawImage(piece.topLeft(), t.image, piece.translated(-tileArea.topLeft()));
            }
    } else {
        // Enlarging makes only the exposed part.
        painter.drawImage(part.topLeft(), enlargeNearest(surface, shown, part));
    }
}

QPointF PictureView::labelPosition(const std::vector<OverlayItem>& labels, std::size_t i) const {
    const OverlayItem& label = labels[i];
    const ViewMapping map = mapping();
    if (&labels == &form_.aster_lbl && i < form_.aster.size()) {
        // An asteroid's name stays beside its marker, in screen pixels.
        const OverlayItem& marker = form_.aster[i];
        return markerTopLeft(map, marker) + QPointF(label.left - marker.left, label.top - marker.top);
    }
    // A deep-sky name stays centred under its outline.
    const QPointF anchor = map.toView(QPointF(label.left + label.width / 2, label.top));
    return {anchor.x() - label.width / 2, anchor.y()};
}

void PictureView::paintOverlays(QPainter& painter, const QRect& area) const {
    const ViewMapping map = mapping();
    const QRectF visible = QRectF(area).adjusted(-2, -2, 2, 2);
    painter.setBrush(Qt::NoBrush);
    auto draw = [&](const std::vector<OverlayItem>& items, const QColor& colour, bool circle) {
        painter.setPen(QPen(colour, 1));
        for (std::size_t i = 1; i < items.size(); ++i) {
            const OverlayItem& item = items[i];
            if (!item.visible) continue;
            const QRectF r(markerTopLeft(map, item), QSizeF(item.width - 1, item.height - 1));
            if (!visible.intersects(r.adjusted(-1, -1, 1, 1))) continue;
            if (circle)
                painter.drawEllipse(r);
            else
                painter.drawRect(r);
        }
    };
    draw(form_.star, kStarGreen, true);
    draw(form_.aster, kAsteroidYellow, false);
    draw(form_.clicpic, kClickRed, true);

    // The centre cross keeps its size on screen around its zoomed centre.
    QPointF centre;
    for (const OverlayItem& segment : form_.centerpic)
        centre += QPointF(segment.left + segment.width / 2, segment.top + segment.height / 2) / 4;
    const QPointF shift = map.toView(centre) - centre;
    painter.setPen(QPen(kCentreCross, 1));
    for (const OverlayItem& segment : form_.centerpic)
        if (segment.visible)
            painter.drawLine(QPointF(segment.left, segment.top) + shift,
                             QPointF(segment.left + segment.width, segment.top + segment.height) + shift);

    paintResiduals(painter, visible);
    paintMeasureMarkers(painter, visible);

    painter.setFont(labelFont());
    auto labels = [&](const std::vector<OverlayItem>& items, const QColor& colour) {
        painter.setPen(colour);
        for (std::size_t i = 1; i < items.size(); ++i) {
            const OverlayItem& label = items[i];
            if (!label.visible || label.text.empty()) continue;
            const QPointF at = labelPosition(items, i);
            const QRectF r(at, QSizeF(std::max(label.width, 1.0) + 40, std::max(label.height, 13.0)));
            if (!visible.intersects(r)) continue;
            painter.drawText(at + QPointF(0, 11), QString::fromStdString(label.text));
        }
    };
    labels(form_.aster_lbl, kAsteroidYellow);
    labels(form_.deepobj_lbl, kDeepSkyBlue);
}

void PictureView::paintResiduals(QPainter& painter, const QRectF& visible) const {
    const ViewMapping map = mapping();
    // Each vector starts on its star and keeps its screen length at any zoom.
    auto vectors = [&](const std::vector<OverlayItem>& items, const QColor& colour) {
        painter.setPen(QPen(colour, 1));
        for (const OverlayItem& v : items) {
            const QPointF from = map.toView(QPointF(v.left, v.top));
            const QPointF to = from + QPointF(v.width, v.height);
            if (!visible.intersects(QRectF(from, to).normalized().adjusted(-2, -2, 2, 2))) continue;
            painter.drawLine(from, to);
            painter.drawEllipse(from, 1.5, 1.5);
        }
    };
    vectors(form_.residualUsed, kResidualCyan);
    vectors(form_.residualRejected, kClickRed);

    // The scale bar at the picture's lower left, with what it stands for.
    const OverlayItem& bar = form_.residualBar;
    if (!bar.visible) return;
    const QPointF start = map.toView(QPointF(0, form_.Picture1.height() - 1)) + QPointF(16, -16);
    const QPointF end = start + QPointF(bar.width, 0);
    painter.setPen(QPen(kResidualCyan, 2));
    painter.drawLine(start, end);
    painter.drawLine(start + QPointF(0, -4), start + QPointF(0, 4));
    painter.drawLine(end + QPointF(0, -4), end + QPointF(0, 4));
    painter.setFont(labelFont());
    painter.drawText(start + QPointF(0, -8), QString::fromStdString(bar.text));
}

// A ring around each object measured on the picture, with its name.
void PictureView::paintMeasureMarkers(QPainter& painter, const QRectF& visible) const {
    const ViewMapping map = mapping();
    painter.setFont(labelFont());
    painter.setPen(QPen(kMeasureMagenta, 1.5));
    for (const OverlayItem& marker : form_.measureMarkers) {
        const QPointF at = map.toView(QPointF(marker.left, marker.top));
        if (!visible.intersects(QRectF(at - QPointF(10, 10), QSizeF(140, 20)))) continue;
        painter.drawEllipse(at, 8, 8);
        painter.drawText(at + QPointF(11, -6), QString::fromStdString(marker.text));
    }
}

void PictureView::paintMagnifier(QPainter& painter) const {
    ZoomRaster raster;
    paintZoom(form_.zoomColours, raster);
    QImage box(kZoomBox, kZoomBox, QImage::Format_RGB32);
    for (int y = 0; y < kZoomBox; ++y) {
        auto* line = reinterpret_cast<QRgb*>(box.scanLine(y));
        for (int x = 0; x < kZoomBox; ++x) {
            const PackedColour c = raster[static_cast<std::size_t>(y) * kZoomBox + x];
            line[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        }
    }
    const QRect at = magnifierRect();
    painter.drawImage(at.topLeft(), box);
    painter.setPen(QPen(Qt::gray, 1));
    painter.drawRect(at.left(), at.top(), kZoomBox - 1, kZoomBox - 1);
}

bool PictureView::inZoom(const QPointF& p) const {
    const QRect box = magnifierRect();
    return !box.isEmpty() && QRectF(box).contains(p);
}

std::pair<int, int> PictureView::labelAt(const QPointF& p) const {
    const QFontMetrics metrics(labelFont());
    auto hit = [&](const std::vector<OverlayItem>& items) {
        for (std::size_t i = items.size() - 1; i >= 1; --i) {
            const OverlayItem& label = items[i];
            if (!label.visible || label.text.empty()) continue;
            const double width = metrics.horizontalAdvance(QString::fromStdString(label.text));
            if (QRectF(labelPosition(items, i), QSizeF(width, 13)).contains(p)) return static_cast<int>(i);
        }
        return 0;
    };
    if (int i = hit(form_.aster_lbl)) return {1, i};
    if (int i = hit(form_.deepobj_lbl)) return {2, i};
    return {0, 0};
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    const QPointF at = mapping().toImage(p);
    if (inZoom(p)) {
        if (onZoomMouseMove) onZoomMouseMove(at.x() - form_.zoom.left, at.y() - form_.zoom.top);
    } else if (onMouseMove) {
        onMouseMove(at.x(), at.y());
    }
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) releaseEndsDoubleClick_ = false;
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // A double click comes as press, release, double click, release: the
    // second release ends the double click and is no click of its own.
    if (std::exchange(releaseEndsDoubleClick_, false)) return;
    const QPointF p = event->position();
    if (!rect().contains(p.toPoint())) return;
    if (inZoom(p)) {
        if (onZoomClick) onZoomClick();
        return;
    }
    const auto [kind, index] = labelAt(p);
    if (kind == 1 && onAsteroidLabelClick) return onAsteroidLabelClick(index);
    if (kind == 2 && onDeepSkyLabelClick) return onDeepSkyLabelClick(index);
    if (onClick) onClick();
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    releaseEndsDoubleClick_ = true;
    if (onDoubleClick && !inZoom(event->position())) onDoubleClick();
}

}  // namespace sextrix::ui

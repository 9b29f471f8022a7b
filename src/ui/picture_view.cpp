#include "picture_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <bit>
#include <cmath>

#include "chart/zoom.h"
#include "ui/label_font.h"

namespace sextrix::ui {

static_assert(std::endian::native == std::endian::little, "the view reads packed colours as RGBX bytes");

namespace {
const QColor kStarGreen(0x00, 0xFF, 0x00);
const QColor kClickRed(0xFF, 0x00, 0x00);
const QColor kAsteroidYellow(0xFF, 0xFF, 0x00);
const QColor kDeepSkyBlue(0x80, 0x80, 0xFF);
const QColor kCentreCross(0xFF, 0x80, 0x00);

QRectF itemRect(const OverlayItem& item) { return QRectF(item.left, item.top, item.width, item.height); }

}  // namespace

PictureView::PictureView(Form1Model& form, QWidget* parent) : QWidget(parent), form_(form) {
    setObjectName("Picture1");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::syncFromModel() {
    const PictureBox& box = form_.Picture1Box;
    const QRect wanted(box.left, box.top, std::max(box.width, 1), std::max(box.height, 1));
    if (geometry() != wanted) setGeometry(wanted);
    shownMagnifier_ = magnifierRect();
    update();
}

QRect PictureView::magnifierRect() const {
    const PictureBox& z = form_.zoom;
    return z.visible ? QRect(z.left, z.top, z.width, z.height) : QRect();
}

void PictureView::syncMagnifier() {
    const QRect now = magnifierRect();
    if (!shownMagnifier_.isEmpty()) update(shownMagnifier_);
    if (!now.isEmpty()) update(now);
    shownMagnifier_ = now;
}

void PictureView::paintEvent(QPaintEvent* event) {
    const PictureSurface& surface = form_.Picture1;
    if (imageRevision_ != surface.revision()) {
        imageRevision_ = surface.revision();
        // Packed colours are red, green, blue, 0 in memory: the bytes of an
        // RGBX image, so the view wraps the core's raster without a copy.
        image_ = surface.empty()
                     ? QImage()
                     : QImage(reinterpret_cast<const uchar*>(surface.drawnPixels().data()), surface.width(),
                              surface.height(), surface.width() * 4, QImage::Format_RGBX8888);
    }
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, Qt::black);
    if (!image_.isNull()) painter.drawImage(area.topLeft(), image_, area);
    paintOverlays(painter, area);
    if (form_.zoom.visible) paintMagnifier(painter);
}

void PictureView::paintOverlays(QPainter& painter, const QRect& area) const {
    const QRectF visible = QRectF(area).adjusted(-2, -2, 2, 2);
    auto draw = [&](const std::vector<OverlayItem>& items, const QColor& colour, bool circle) {
        painter.setPen(QPen(colour, 1));
        painter.setBrush(Qt::NoBrush);
        for (std::size_t i = 1; i < items.size(); ++i) {
            const OverlayItem& item = items[i];
            if (!item.visible) continue;
            const QRectF r = itemRect(item).adjusted(0, 0, -1, -1);
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

    painter.setPen(QPen(kCentreCross, 1));
    for (const OverlayItem& segment : form_.centerpic)
        if (segment.visible)
            painter.drawLine(QPointF(segment.left, segment.top),
                             QPointF(segment.left + segment.width, segment.top + segment.height));

    painter.setFont(labelFont());
    auto labels = [&](const std::vector<OverlayItem>& items, const QColor& colour) {
        painter.setPen(colour);
        for (std::size_t i = 1; i < items.size(); ++i) {
            const OverlayItem& label = items[i];
            if (!label.visible || label.text.empty()) continue;
            const QRectF r(label.left, label.top, std::max(label.width, 1.0) + 40, std::max(label.height, 13.0));
            if (!visible.intersects(r)) continue;
            painter.drawText(QPointF(label.left, label.top + 11), QString::fromStdString(label.text));
        }
    };
    labels(form_.aster_lbl, kAsteroidYellow);
    labels(form_.deepobj_lbl, kDeepSkyBlue);
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
    painter.drawImage(QPoint(form_.zoom.left, form_.zoom.top), box);
    painter.setPen(QPen(Qt::gray, 1));
    painter.drawRect(form_.zoom.left, form_.zoom.top, kZoomBox - 1, kZoomBox - 1);
}

bool PictureView::inZoom(const QPointF& p) const {
    const PictureBox& z = form_.zoom;
    return z.visible && QRectF(z.left, z.top, z.width, z.height).contains(p);
}

std::pair<int, int> PictureView::labelAt(const QPointF& p) const {
    const QFontMetrics metrics(labelFont());
    auto hit = [&](const std::vector<OverlayItem>& items) {
        for (std::size_t i = items.size() - 1; i >= 1; --i) {
            const OverlayItem& label = items[i];
            if (!label.visible || label.text.empty()) continue;
            const double width = metrics.horizontalAdvance(QString::fromStdString(label.text));
            if (QRectF(label.left, label.top, width, 13).contains(p)) return static_cast<int>(i);
        }
        return 0;
    };
    if (int i = hit(form_.aster_lbl)) return {1, i};
    if (int i = hit(form_.deepobj_lbl)) return {2, i};
    return {0, 0};
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    if (inZoom(p)) {
        if (onZoomMouseMove) onZoomMouseMove(p.x() - form_.zoom.left, p.y() - form_.zoom.top);
    } else if (onMouseMove) {
        onMouseMove(p.x(), p.y());
    }
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
    const QPointF p = event->position();
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
    if (event->button() == Qt::LeftButton && onDoubleClick && !inZoom(event->position())) onDoubleClick();
}

}  // namespace sextrix::ui

#include "blink_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace sextrix::ui {

BlinkView::BlinkView(const SeriesModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName("blinkView");
    setMinimumSize(480, 380);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void BlinkView::reload() {
    images_.clear();
    for (const SeriesModel::BlinkFrame& frame : model_.blinkFrames) {
        QImage image(model_.blinkWidth, model_.blinkHeight, QImage::Format_Grayscale8);
        for (int y = 0; y < model_.blinkHeight; ++y)
            std::copy_n(frame.grey.data() + static_cast<std::size_t>(y) * model_.blinkWidth, model_.blinkWidth,
                        image.scanLine(y));
        images_.push_back(std::move(image));
    }
    index_ = 0;
    update();
}

void BlinkView::step(int by) {
    if (images_.empty()) return;
    const int count = static_cast<int>(images_.size());
    index_ = ((index_ + by) % count + count) % count;
    update();
}

QRectF BlinkView::imageRect() const {
    if (images_.empty()) return {};
    const int captionHeight = fontMetrics().height() + 6;
    const QSize room(width(), height() - captionHeight);
    const QSize fitted = images_.front().size().scaled(room, Qt::KeepAspectRatio);
    return {QPointF((room.width() - fitted.width()) / 2, (room.height() - fitted.height()) / 2), QSizeF(fitted)};
}

// Pixel (i, j) covers i - 0.5 .. i + 0.5 across and j - 0.5 .. j + 0.5 down.
std::optional<QPointF> BlinkView::pixelAt(QPointF view) const {
    const QRectF target = imageRect();
    if (target.isEmpty() || !target.contains(view)) return std::nullopt;
    const double scale = target.width() / images_.front().width();
    return QPointF((view.x() - target.left()) / scale - 0.5, (view.y() - target.top()) / scale - 0.5);
}

void BlinkView::mouseMoveEvent(QMouseEvent* event) {
    if (const auto at = pixelAt(event->position())) emit pointed(at->x(), at->y());
}

void BlinkView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const auto at = pixelAt(event->position())) emit clicked(at->x(), at->y());
}

void BlinkView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (images_.empty()) return;
    const QRectF target = imageRect();
    painter.drawImage(target, images_[static_cast<std::size_t>(index_)]);
    // The tracks and the mark, on the pixels' centres; none on a stack, where
    // they would hide the object piled up on its track.
    const double scale = target.width() / images_.front().width();
    auto toView = [&](const std::pair<double, double>& p) {
        return QPointF(target.left() + (p.first + 0.5) * scale, target.top() + (p.second + 0.5) * scale);
    };
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xFF, 0x40, 0xFF), 1.5));
    const bool stack = model_.blinkFrames[static_cast<std::size_t>(index_)].frame < 0;
    for (const auto& track : stack ? decltype(model_.tracks){} : model_.tracks) {
        for (std::size_t k = 0; k + 1 < track.size(); ++k) painter.drawLine(toView(track[k]), toView(track[k + 1]));
        for (const auto& p : track) painter.drawEllipse(toView(p), 5, 5);
    }
    if (model_.mark) {
        const QPointF at = toView(*model_.mark);
        painter.setPen(QPen(QColor(0x40, 0xFF, 0x40), 1.5));
        painter.drawLine(at - QPointF(8, 0), at + QPointF(8, 0));
        painter.drawLine(at - QPointF(0, 8), at + QPointF(0, 8));
    }
    const int captionHeight = fontMetrics().height() + 6;
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, height() - captionHeight, width(), captionHeight), Qt::AlignCenter,
                     QString::fromStdString(model_.blinkFrames[static_cast<std::size_t>(index_)].caption));
}

}  // namespace sextrix::ui

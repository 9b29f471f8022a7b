#include "blink_view.h"

#include <QPainter>

namespace sextrix::ui {

BlinkView::BlinkView(const SeriesModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName("blinkView");
    setMinimumSize(480, 380);
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

void BlinkView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (images_.empty()) return;
    const int captionHeight = fontMetrics().height() + 6;
    const QSize room(width(), height() - captionHeight);
    const QImage& image = images_[static_cast<std::size_t>(index_)];
    const QSize fitted = image.size().scaled(room, Qt::KeepAspectRatio);
    const QRect target(QPoint((room.width() - fitted.width()) / 2, (room.height() - fitted.height()) / 2), fitted);
    painter.drawImage(target, image);
    // The tracks, on the pixels' centres.
    const double scale = static_cast<double>(fitted.width()) / image.width();
    auto toView = [&](const std::pair<double, double>& p) {
        return QPointF(target.left() + (p.first + 0.5) * scale, target.top() + (p.second + 0.5) * scale);
    };
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xFF, 0x40, 0xFF), 1.5));
    for (const auto& track : model_.tracks) {
        for (std::size_t k = 0; k + 1 < track.size(); ++k) painter.drawLine(toView(track[k]), toView(track[k + 1]));
        for (const auto& p : track) painter.drawEllipse(toView(p), 5, 5);
    }
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, height() - captionHeight, width(), captionHeight), Qt::AlignCenter,
                     QString::fromStdString(model_.blinkFrames[static_cast<std::size_t>(index_)].caption));
}

}  // namespace sextrix::ui

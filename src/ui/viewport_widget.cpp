#include "viewport_widget.h"

#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

namespace sextrix::ui {

ViewportWidget::ViewportWidget(Form1Model& form, QWidget* parent) : QWidget(parent), form_(form) {
    setObjectName("PicOrange");
    setMinimumSize(320, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ViewportWidget::resizeEvent(QResizeEvent* event) {
    form_.PicOrange.width = event->size().width();
    form_.PicOrange.height = event->size().height();
    QWidget::resizeEvent(event);
    if (onResized) onResized();
}

void ViewportWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x20, 0x20, 0x28));
}

void ViewportWidget::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || !onZoomWheel) return event->ignore();
    // A mouse wheel turns 120 eighths of a degree a notch; a touchpad sends
    // small amounts that add up to notches.
    constexpr int notch = 120;
    wheelTurned_ += event->angleDelta().y();
    const int steps = wheelTurned_ / notch;
    wheelTurned_ -= steps * notch;
    event->accept();
    if (steps != 0) onZoomWheel(steps, event->position());
}

}  // namespace sextrix::ui

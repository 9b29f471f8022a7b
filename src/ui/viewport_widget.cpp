#include "viewport_widget.h"

#include <QPainter>
#include <QResizeEvent>

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
}

void ViewportWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x20, 0x20, 0x28));
}

}  // namespace sextrix::ui

#pragma once
// PicOrange: the viewport that shows part of the picture. Its inner size is
// written to the model so that the panning knows the picture's limits.
#include <QWidget>
#include <functional>

#include "model/form1_model.h"

namespace sextrix::ui {

class ViewportWidget : public QWidget {
    Q_OBJECT
public:
    ViewportWidget(Form1Model& form, QWidget* parent);

    std::function<void()> onResized;
    // Ctrl + wheel, over the picture or beside it: steps (+ in, - out) and
    // the pointer in viewport pixels.
    std::function<void(int steps, QPointF at)> onZoomWheel;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    Form1Model& form_;
    int wheelTurned_ = 0;  // eighths of a degree not yet turned into a step
};

}  // namespace sextrix::ui

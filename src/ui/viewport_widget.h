#pragma once
// PicOrange: the viewport that shows part of the picture. Its inner size is
// written to the model so that the panning knows the picture's limits.
#include <QWidget>

#include "state/form1_model.h"

namespace sextrix::ui {

class ViewportWidget : public QWidget {
    Q_OBJECT
public:
    ViewportWidget(Form1Model& form, QWidget* parent);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Form1Model& form_;
};

}  // namespace sextrix::ui

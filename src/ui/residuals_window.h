#pragma once
// The residual table of the refined solution (menu "Résidus").
#include <QDialog>

#include "model/window_models.h"

namespace sextrix::ui {

class ResidualsWindow : public QDialog {
    Q_OBJECT
public:
    ResidualsWindow(const ResidualsModel& model, QWidget* parent);
};

}  // namespace sextrix::ui

#pragma once
// The classic calibration window ("Etalonage classique").
#include <QDialog>

#include "model/app.h"
#include "ui/model_binding.h"

namespace sextrix::ui {

class Config2Window : public QDialog {
    Q_OBJECT
public:
    Config2Window(App& app, QWidget* parent);

private:
    App& app_;
    ModelBinding binding_;
};

}  // namespace sextrix::ui

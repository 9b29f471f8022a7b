#pragma once
// The web access switches (menu "Internet bugs").
#include <QDialog>

#include "model/app.h"
#include "ui/model_binding.h"

namespace sextrix::ui {

class FrmInternet : public QDialog {
    Q_OBJECT
public:
    FrmInternet(App& app, QWidget* parent);

private:
    App& app_;
    ModelBinding binding_;
};

}  // namespace sextrix::ui

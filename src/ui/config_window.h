#pragma once
// The optical configurations window ("Coefficient optique").
#include <QDialog>

#include "model/app.h"
#include "ui/model_binding.h"

class QListWidget;

namespace sextrix::ui {

class ConfigWindow : public QDialog {
    Q_OBJECT
public:
    ConfigWindow(App& app, QWidget* parent);

private:
    void bindList(QListWidget* list);
    template <class Handler>
    void run(Handler&& handler) {
        handler();
        binding_.refresh();
    }

    App& app_;
    ModelBinding binding_;
};

}  // namespace sextrix::ui

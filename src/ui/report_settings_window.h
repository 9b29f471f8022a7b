#pragma once
// The observer's settings for the reports to the Minor Planet Center (menu
// Option > "Rapport"): one box a setting, Save and Cancel.
#include <QDialog>

#include "model/app.h"
#include "ui/model_binding.h"

class QFormLayout;

namespace sextrix::ui {

class ReportSettingsWindow : public QDialog {
    Q_OBJECT
public:
    ReportSettingsWindow(App& app, QWidget* parent);

private:
    // A row of the form: the box, object-named after its field, and its label;
    // a box without a width of its own takes the width left.
    void addRow(QFormLayout* form, LabelledBox& field, const char* name, int width = 0);

    App& app_;
    ModelBinding binding_;
};

}  // namespace sextrix::ui

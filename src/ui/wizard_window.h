#pragma once
// The new-reduction wizard ("Assistant d'astrometrie"): three pages, one at a
// time, in a fixed order.
#include <QDialog>

#include "model/app.h"
#include "ui/model_binding.h"

class QGridLayout;
class QWidget;

namespace sextrix::ui {

class WizardWindow : public QDialog {
    Q_OBJECT
public:
    WizardWindow(App& app, QWidget* parent);

private:
    QWidget* fieldPage();
    QWidget* scalePage();
    QWidget* settingsPage();
    QLabel* label(Label& source, const QString& name);
    QLineEdit* edit(TextBox& source, const QString& name, int width);
    QPushButton* stepButton(Button& source, const char* name, int step, std::function<void()> handler);

    App& app_;
    ModelBinding binding_;
};

}  // namespace sextrix::ui

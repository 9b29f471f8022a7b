#pragma once
// Ties Qt widgets to the plain-data controls of a window model: refresh()
// shows the model; user edits are written back before the change handler runs.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <vector>

#include "state/controls.h"

namespace sextrix::ui {

class ModelBinding {
public:
    // onEdit runs after the model has the user's text (the control's change handler).
    void bind(QLineEdit* widget, TextBox& box, std::function<void()> onEdit = {});
    void bind(QCheckBox* widget, CheckBox& box, std::function<void()> onClick = {});
    // The list's items as the choices; onChoose runs on every choice, even of
    // the item already shown.
    void bind(QComboBox* widget, ListBox& list, std::function<void()> onChoose = {});
    void bind(QLabel* widget, Label& label);
    void bind(QPushButton* widget, Button& button);
    void bind(QGroupBox* widget, Frame& frame);
    void bind(QAction* widget, MenuItem& item);
    void bindVisible(QWidget* widget, const bool& visible);
    // Any other way of showing the model.
    void custom(std::function<void()> refresher) { refreshers_.push_back(std::move(refresher)); }

    void refresh();

    // Runs after every edit or click handler, so that the window shows its result.
    std::function<void()> afterHandler;

private:
    std::vector<std::function<void()>> refreshers_;
    bool refreshing_ = false;
};

}  // namespace sextrix::ui

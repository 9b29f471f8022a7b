#pragma once
// The measurements window ("Mesures"): the measurements kept for the
// reports, sortable; a designation is edited in its cell; rows are deleted;
// the report is saved or copied from here as from the menu Fichier.
#include <QDialog>

#include "model/app.h"

class QLabel;
class QTableWidget;

namespace sextrix::ui {

class MeasurementsWindow : public QDialog {
    Q_OBJECT
public:
    MeasurementsWindow(App& app, QWidget* parent);

private:
    void fillTable();
    void designationEdited(int row, int column);
    void deleteSelected();

    App& app_;
    QTableWidget* table_ = nullptr;
    QLabel* empty_ = nullptr;
};

}  // namespace sextrix::ui

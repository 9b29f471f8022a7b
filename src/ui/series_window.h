#pragma once
// The series window ("Série"): the frames of the series opened, solved or
// why not, and the moving objects found across them; a chosen object is
// measured on every frame for the reports.
#include <QDialog>

#include "model/app.h"

class QHBoxLayout;
class QLabel;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace sextrix::ui {

class SeriesWindow : public QDialog {
    Q_OBJECT
public:
    SeriesWindow(App& app, QWidget* parent);

private:
    void fill();

    App& app_;
    QLabel* summary_ = nullptr;
    QTableWidget* frames_ = nullptr;
    QTableWidget* candidates_ = nullptr;
    class BlinkView* blink_ = nullptr;
    QWidget* blinkControls_ = nullptr;
    QTimer* timer_ = nullptr;
    QSpinBox* rate_ = nullptr;
    QHBoxLayout* panes_ = nullptr;
};

}  // namespace sextrix::ui

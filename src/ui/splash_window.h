#pragma once
// The splash window: name, version and credits, with a progress bar that
// fills while the program starts.
#include <QDialog>
#include <QTimer>

class QLabel;
class QProgressBar;

namespace sextrix::ui {

// The bar's next value on a tick: +4 below 97, then 100.
int nextSplashBarValue(int value);

class SplashWindow : public QDialog {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    void startProgress();  // the start-up enables the bar's timer
    int barValue() const;

private:
    void tick();

    QProgressBar* bar_;
    QLabel* barCaption_;
    QTimer timer_;
};

}  // namespace sextrix::ui

#pragma once
// The splash window: name, version and credits, with a progress bar that
// fills while the program starts. Shown without its bar it is the about box,
// which a click closes.
#include <QDialog>
#include <QTimer>

class QLabel;
class QProgressBar;
class QMouseEvent;

namespace sextrix::ui {

// The bar's next value on a tick: +4 below 97, then 100.
int nextSplashBarValue(int value);

class SplashWindow : public QDialog {
    Q_OBJECT
public:
    // testBitmap: where a click saves a picture of the window.
    explicit SplashWindow(const QString& testBitmap, QWidget* parent = nullptr);

    void startProgress();  // the start-up enables the bar's timer
    int barValue() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void tick();

    QString testBitmap_;
    QProgressBar* bar_;
    QLabel* barCaption_;
    QTimer timer_;
};

}  // namespace sextrix::ui

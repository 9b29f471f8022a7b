#pragma once
// The main window: shows the Form1 model and sends the user's actions to the
// core handlers. It holds no state of the reduction itself.
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>

#include "model/app.h"
#include "ui/model_binding.h"

class QTabBar;
class QListWidget;
class QTextEdit;
class QFrame;

namespace sextrix::ui {

class PictureView;
class ViewportWidget;

class Form1Window : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1Window(App& app);

    // Shows the model: captions, texts, overlay items, timers.
    void refreshFromModel();

    PictureView* picture() const { return picture_; }
    QWidget* viewport() const;
    // Arrow keys seen by the panning timer: held, or pressed since its last tick.
    void noteArrowKey(int key, bool pressed);
    // Whether the loaded texts are the French ones.
    bool frenchInterface() const { return app_.ctx.language == Language::French; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool keepsArrowsForPanning(QObject* watched) const;

private:
    // Runs a core handler, then shows its result.
    template <class Handler>
    void run(Handler&& handler) {
        handler();
        refreshFromModel();
    }

    // A check box or a label of the array Lbl, bound to its model control.
    class QCheckBox* checkBox(const char* name, CheckBox& box, std::function<void()> onClick = {});
    class QLabel* lblCaption(int index, bool wrap = false);

    void buildMenus();
    QWidget* buildPictureArea();
    QWidget* buildZoomBar();
    void refreshZoomBar();
    QPointF viewportCentre() const;
    QWidget* buildSidePanel();
    QWidget* buildStarOptions();
    QWidget* buildDeciderOptions();
    QWidget* buildAsteroidOptions();
    QWidget* buildDeepSkyOptions();
    QWidget* buildCcdFrame();
    QWidget* buildDebugAndCalibration();
    QWidget* buildSuggestionFrame();
    QWidget* buildStatus();
    QWidget* buildInfoPanel(QWidget* parent);
    void refreshInfoPanel();
    void syncTimers();
    void panTick();

    App& app_;
    Form1Model& form_;
    ModelBinding binding_;
    PictureView* picture_ = nullptr;
    ViewportWidget* viewport_ = nullptr;
    class QLabel* zoomLevel_ = nullptr;
    class QLabel* pointerPixel_ = nullptr;
    std::array<class QToolButton*, 4> zoomButtons_{};  // out, in, fit, 100 %
    QTabBar* tabs_ = nullptr;
    QListWidget* status_ = nullptr;
    QWidget* icoR_ = nullptr;
    QWidget* icoG_ = nullptr;
    QWidget* indicator_ = nullptr;
    QFrame* infoPanel_ = nullptr;
    QTextEdit* infoMore_ = nullptr;
    RichTextPanel shownInfo_;
    QTimer timer1_, timer2_, timer3_;
    struct ArrowKey {
        bool down = false;
        bool pressedSinceTick = false;
    };
    std::array<ArrowKey, 4> arrows_{};  // right, up, left, down
};

}  // namespace sextrix::ui

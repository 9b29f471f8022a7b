#pragma once
// Picture1: the core's raster blitted at natural size, with the overlay items
// (markers, labels, centre cross) and the magnifier painted over it. Mouse
// events go to the core handlers in picture pixels.
#include <QImage>
#include <QWidget>
#include <functional>

#include "state/form1_model.h"

namespace sextrix::ui {

class PictureView : public QWidget {
    Q_OBJECT
public:
    PictureView(Form1Model& form, QWidget* parent);

    // Called by the window after every handler.
    void syncFromModel();
    // After a pointer move, which changes nothing on the picture but the
    // magnifier: repaints only where it was and where it is.
    void syncMagnifier();

    std::function<void(double x, double y)> onMouseMove;
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    std::function<void(int index)> onAsteroidLabelClick;
    std::function<void(int index)> onDeepSkyLabelClick;
    std::function<void(double x, double y)> onZoomMouseMove;
    std::function<void()> onZoomClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool inZoom(const QPointF& p) const;
    // The label under a point, as (kind, index): kind 1 asteroid, 2 deep sky.
    std::pair<int, int> labelAt(const QPointF& p) const;
    void paintOverlays(class QPainter& painter, const QRect& area) const;
    void paintMagnifier(class QPainter& painter) const;

    Form1Model& form_;
    QRect magnifierRect() const;

    QImage image_;
    QRect shownMagnifier_;  // where the magnifier was last painted; empty when hidden
    std::uint64_t imageRevision_ = ~0ull;
};

}  // namespace sextrix::ui

#pragma once
// Picture1: the core's raster shown at the view's zoom, with the overlay items
// (markers, labels, centre cross) and the magnifier painted over it. Mouse
// events go to the core handlers in picture pixels, whatever the zoom.
//
// The model's Picture1Box holds the picture's place and size on screen (the
// zoomed size), so that the panning timer works in view pixels at any zoom.
#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "model/form1_model.h"
#include "ui/view_zoom.h"

namespace sextrix::ui {

class PictureView : public QWidget {
    Q_OBJECT
public:
    PictureView(Form1Model& form, QWidget* parent);

    // Called by the window after every handler and when the viewport changes
    // size. A picture of a new size opens fitted when it is larger than the
    // viewport, else at 100 %; a fitted picture follows the viewport.
    void syncFromModel();
    // After a pointer move, which changes nothing on the picture but the
    // magnifier: repaints only where it was and where it is.
    void syncMagnifier();

    // Zoom, keeping the picture point under `anchor` (viewport pixels) there.
    void setZoom(ViewZoom zoom, QPointF anchor);
    // One stop in (direction > 0) or out.
    void stepZoom(int direction, QPointF anchor);
    const ViewZoom& zoom() const { return zoom_; }
    QString zoomText(bool french) const;

    // Picture pixels and this widget's pixels at the zoom shown.
    ViewMapping mapping() const;
    // The magnifier on screen, in this widget's pixels; empty when hidden.
    QRect magnifierRect() const;

    std::function<void(double x, double y)> onMouseMove;
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    std::function<void(int index)> onAsteroidLabelClick;
    std::function<void(int index)> onDeepSkyLabelClick;
    std::function<void(double x, double y)> onZoomMouseMove;
    std::function<void()> onZoomClick;
    std::function<void()> onZoomChanged;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QSize imageSize() const;
    QSize viewportSize() const;
    QSize shownSize() const;
    // Gives Picture1Box the shown size of the zoom and keeps the picture
    // within the viewport.
    void resizeBox();
    void clampBox();

    bool inZoom(const QPointF& p) const;
    // Where a label's text starts on screen.
    QPointF labelPosition(const std::vector<OverlayItem>& labels, std::size_t i) const;
    // The label under a point, as (kind, index): kind 1 asteroid, 2 deep sky.
    std::pair<int, int> labelAt(const QPointF& p) const;
    void paintPicture(class QPainter& painter, const QRect& area);
    void paintOverlays(class QPainter& painter, const QRect& area) const;
    void paintResiduals(class QPainter& painter, const QRectF& visible) const;
    void paintMeasureMarkers(class QPainter& painter, const QRectF& visible) const;
    void paintMagnifier(class QPainter& painter) const;

    Form1Model& form_;
    ViewZoom zoom_;
    QSize zoomedImage_;  // the picture size the zoom was chosen for

    QImage image_;  // the core's raster, wrapped
    std::uint64_t imageRevision_ = ~0ull;
    // The picture below 100 %, in tiles made as they come into view and made
    // again after a drawing: shrinking reads every picture pixel under a tile.
    struct ShrunkTile {
        QImage image;
        std::uint64_t revision = ~0ull;
    };
    std::vector<ShrunkTile> shrunkTiles_;
    QSize shrunkSize_;

    QRect shownMagnifier_;  // where the magnifier was last painted; empty when hidden
    bool releaseEndsDoubleClick_ = false;
};

}  // namespace sextrix::ui

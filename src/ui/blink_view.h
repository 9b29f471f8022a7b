#pragma once
// The series' frames shown in turn on the first one's pixels, each moving
// object's track drawn over them: scaled to fit, the caption of the frame
// shown at its foot. It tells where on the first frame's pixels the pointer
// is and where it is clicked.
#include <QImage>
#include <QWidget>

#include "model/window_models.h"

namespace sextrix::ui {

class BlinkView : public QWidget {
    Q_OBJECT
public:
    explicit BlinkView(const SeriesModel& model, QWidget* parent = nullptr);

    // The frames and tracks of the model, from the first frame.
    void reload();
    void step(int by);  // the next (1) or previous (-1) frame, round the series
    int shown() const { return index_; }

signals:
    void pointed(double x, double y);
    void clicked(double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRectF imageRect() const;  // where the frame is drawn
    std::optional<QPointF> pixelAt(QPointF view) const;

    const SeriesModel& model_;
    std::vector<QImage> images_;
    int index_ = 0;
};

}  // namespace sextrix::ui

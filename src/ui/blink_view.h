#pragma once
// The series' frames shown in turn on the first one's pixels, each moving
// object's track drawn over them: scaled to fit, the caption of the frame
// shown at its foot.
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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const SeriesModel& model_;
    std::vector<QImage> images_;
    int index_ = 0;
};

}  // namespace sextrix::ui

#include "drawing_primitives.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "state/angle_units.h"
#include "state/errors.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

// Far more than any chart needs (361 at 1-degree steps); stops a tiny step
// from holding the user-interface thread.
constexpr double kMaxSegments = 1e6;

float checked(float v) {
    if (!std::isfinite(v)) throw OverflowError();
    return v;
}

PointF checked(PointF p) {
    checked(p.x);
    checked(p.y);
    return p;
}

float radians(float degrees) { return checked(static_cast<float>(toRadians(degrees))); }

// RotateXY with the cosine and sine of its angle already taken, so that the
// tracer computes them once per ellipse rather than once per point.
PointF reflect(float c, float s, PointF p) { return checked(PointF{p.x * c + p.y * s, p.x * s - p.y * c}); }

class SurfaceSink : public SegmentSink {
public:
    explicit SurfaceSink(PictureSurface& surface) : surface_(surface) {}
    void segment(PointF from, PointF to) override { surface_.drawSegment(from.x, from.y, to.x, to.y); }

private:
    PictureSurface& surface_;
};

// PolarToXY with the cosine and sine of its angle already taken.
PointF polar(PointF unit, float radius) { return checked(PointF{radius * unit.x, radius * unit.y}); }

}  // namespace

PointF PolarToXY(float angle, float radius) { return polar({std::cos(angle), std::sin(angle)}, radius); }

PointF ScaleXY(float sx, float sy, PointF p) { return checked(PointF{sx * p.x, sy * p.y}); }

PointF RotateXY(float angle, PointF p) { return reflect(std::cos(angle), std::sin(angle), p); }

PointF TranslateXY(float dx, float dy, PointF p) { return checked(PointF{p.x + dx, p.y + dy}); }

EllipseTracer::EllipseTracer(float start, float end, float step) {
    const float stepRad = radians(step);
    const float startRad = radians(start);
    const float endRad = radians(end);
    if (!(stepRad > 0) || (static_cast<double>(endRad) - startRad) / stepRad > kMaxSegments)
        throw std::invalid_argument("ellipse step must be positive and not too fine");
    // The single-precision counter of the loop, then the value that ends it.
    float t = startRad;
    for (; t <= endRad; t += stepRad) {
        unit_.push_back({std::cos(t), std::sin(t)});
        if (t + stepRad == t) throw std::invalid_argument("ellipse step must be positive and not too fine");
    }
    unit_.push_back({std::cos(t), std::sin(t)});
}

// P(t) = TranslateXY(cx, cy, RotateXY(rotation, ScaleXY(1, yScale, PolarToXY(t, radius)))).
Int16 EllipseTracer::trace(float cx, float cy, float radius, float rotation, float yScale, SegmentSink& sink) const {
    const float rotRad = radians(rotation);
    const float rotCos = checked(std::cos(rotRad));
    const float rotSin = checked(std::sin(rotRad));
    auto pointAt = [&](PointF unit) {
        return TranslateXY(cx, cy, reflect(rotCos, rotSin, ScaleXY(1.0f, yScale, polar(unit, radius))));
    };

    PointF prev = pointAt(unit_.front());
    float lowest = 0;
    for (std::size_t k = 0; k + 1 < unit_.size(); ++k) {
        const PointF cur = pointAt(unit_[k]);
        sink.segment(prev, cur);
        if (cur.y > lowest) lowest = cur.y;
        prev = cur;
    }
    sink.segment(prev, pointAt(unit_.back()));
    return toInt16Checked(std::floor(lowest));
}

Int16 EllipseTracer::draw(PictureSurface& surface, float cx, float cy, float radius, float rotation,
                          float yScale) const {
    SurfaceSink sink(surface);
    return trace(cx, cy, radius, rotation, yScale, sink);
}

Int16 TraceEllipse(const EllipseArgs& e, SegmentSink& sink) {
    return EllipseTracer(e.start, e.end, e.step).trace(e.cx, e.cy, e.radius, e.rotation, e.yScale, sink);
}

Int16 DrawEllipse(PictureSurface& surface, float cx, float cy, float radius, float rotation, float start, float end,
                  float yScale, float step) {
    return EllipseTracer(start, end, step).draw(surface, cx, cy, radius, rotation, yScale);
}

float toSingleChecked(double value) {
    if (!(std::fabs(value) <= std::numeric_limits<float>::max())) throw OverflowError();
    return static_cast<float>(value);
}

}  // namespace sextrix

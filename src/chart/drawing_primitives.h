#pragma once
// Plane-point transforms and the ellipse tracer of the charts. Everything is
// single precision, in pixels of the picture (origin top-left, y down); the
// transforms take radians, DrawEllipse takes degrees. A floating-point fault
// (a result that is infinite or not a number) throws OverflowError.
#include <vector>

#include "state/picture_surface.h"
#include "state/reduction_values.h"

namespace sextrix {

struct PointF {
    float x = 0;
    float y = 0;
};

// (radius cos angle, radius sin angle).
PointF PolarToXY(float angle, float radius);
PointF ScaleXY(float sx, float sy, PointF p);
// A reflection, not a rotation: mirrors p across the line through the origin
// at angle / 2. Angle pi/2 swaps x and y; angle 0 negates y.
PointF RotateXY(float angle, PointF p);
PointF TranslateXY(float dx, float dy, PointF p);

// Angles in degrees. step must be positive; the chart passes 1.
struct EllipseArgs {
    float cx = 0, cy = 0;
    float radius = 0;    // semi-axis along the ellipse's own x axis
    float rotation = 0;  // direction of that axis, from screen x towards screen y
    float start = 0, end = 360;
    float yScale = 1;  // second semi-axis = radius * yScale
    float step = 1;
};

class SegmentSink {
public:
    virtual ~SegmentSink() = default;
    virtual void segment(PointF from, PointF to) = 0;
};

// Hands the outline to the sink as a chain of segments: a zero-length first
// one at the start angle, one per step while the counter is <= end, and one
// closing segment to the first counter value past end. Returns the floor of
// the largest y of the points reached inside the loop, never below 0 (the
// closing point does not count). Throws OverflowError on a floating-point
// fault or a result outside 16 bits (segments already handed over stay), and
// std::invalid_argument for a step that would not bring the counter to end.
Int16 TraceEllipse(const EllipseArgs& e, SegmentSink& sink);

// Traces the ellipse on the surface in its current pen colour and width.
Int16 DrawEllipse(PictureSurface& surface, float cx, float cy, float radius, float rotation, float start, float end,
                  float yScale, float step);

// The same tracing for many outlines that share start, end and step: the
// counter's cosines and sines are taken once (a chart draws hundreds of
// outlines at 0..360 by 1 degree).
class EllipseTracer {
public:
    // Throws as TraceEllipse does for the angles and the step.
    EllipseTracer(float start, float end, float step);
    Int16 trace(float cx, float cy, float radius, float rotation, float yScale, SegmentSink& sink) const;
    Int16 draw(PictureSurface& surface, float cx, float cy, float radius, float rotation, float yScale) const;

private:
    std::vector<PointF> unit_;  // (cos t, sin t) for the start, each counter value and the closing one
};

// A double taken to single precision; OverflowError when it does not fit.
float toSingleChecked(double value);

}  // namespace sextrix

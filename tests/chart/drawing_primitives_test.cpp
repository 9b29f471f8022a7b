#include "chart/drawing_primitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>
#include <vector>

#include "state/errors.h"

namespace sextrix {
namespace {

constexpr float kPiF = 3.1415927f;

struct Recorder : SegmentSink {
    std::vector<std::pair<PointF, PointF>> segments;
    void segment(PointF from, PointF to) override { segments.emplace_back(from, to); }
};

auto rowName = [](const auto& info) { return std::string(info.param.name); };

struct ReflectRow {
    const char* name;
    float angle;
    PointF in, out;
};

class Reflection : public ::testing::TestWithParam<ReflectRow> {};

TEST_P(Reflection, MirrorsAcrossTheHalfAngle) {
    const PointF p = RotateXY(GetParam().angle, GetParam().in);
    EXPECT_NEAR(p.x, GetParam().out.x, 1e-5);
    EXPECT_NEAR(p.y, GetParam().out.y, 1e-5);
}

// Mirrored across the line at angle/2, (1, 0) at 60 degrees lands on the 60-degree ray.
INSTANTIATE_TEST_SUITE_P(Rows, Reflection,
                         ::testing::Values(ReflectRow{"At90SwapsAxes", kPiF / 2, {3, 5}, {5, 3}},
                                           ReflectRow{"At0NegatesY", 0, {3, 5}, {3, -5}},
                                           ReflectRow{"At180NegatesX", kPiF, {3, 5}, {-3, 5}},
                                           ReflectRow{"At60", kPiF / 3, {1, 0}, {0.5f, 0.8660254f}}),
                         rowName);

// Outlines centred on (100, 100); offsets from the centre worked out by hand
// for an ellipse of semi-axes a = radius along the rotation direction u and
// b = radius * yScale across it.
struct ShapeRow {
    const char* name;
    float radius, rotation, yScale;
    float halfWidth, halfHeight;  // extent along the screen axes
    PointF at0, at90;             // the points at 0 and 90 degrees
};

class EllipseShape : public ::testing::TestWithParam<ShapeRow> {};

TEST_P(EllipseShape, TracesAClosedChainOnTheRotatedEllipse) {
    const ShapeRow& row = GetParam();
    Recorder rec;
    TraceEllipse({100, 100, row.radius, row.rotation, 0, 360, row.yScale, 1}, rec);
    const auto& s = rec.segments;
    ASSERT_GE(s.size(), 361u);
    ASSERT_LE(s.size(), 362u);
    EXPECT_EQ(s[0].first.x, s[0].second.x);  // the first segment has no length
    EXPECT_EQ(s[0].first.y, s[0].second.y);

    const double a = row.radius, b = row.radius * row.yScale;
    const double turn = row.rotation * std::numbers::pi / 180, ux = std::cos(turn), uy = std::sin(turn);
    double maxDx = 0, maxDy = 0;
    for (std::size_t k = 0; k + 1 < s.size(); ++k) {
        const double dx = s[k].second.x - 100, dy = s[k].second.y - 100;
        const double along = (dx * ux + dy * uy) / a, across = (-dx * uy + dy * ux) / b;
        EXPECT_NEAR(along * along + across * across, 1, 1e-4) << "point " << k;
        maxDx = std::max(maxDx, std::fabs(dx));
        maxDy = std::max(maxDy, std::fabs(dy));
        EXPECT_EQ(s[k + 1].first.x, s[k].second.x);  // a connected chain
        EXPECT_EQ(s[k + 1].first.y, s[k].second.y);
    }
    EXPECT_NEAR(maxDx, row.halfWidth, 0.01);
    EXPECT_NEAR(maxDy, row.halfHeight, 0.01);
    EXPECT_NEAR(s[0].second.x - 100, row.at0.x, 1e-4);
    EXPECT_NEAR(s[0].second.y - 100, row.at0.y, 1e-4);
    EXPECT_NEAR(s[90].second.x - 100, row.at90.x, 1e-3);
    EXPECT_NEAR(s[90].second.y - 100, row.at90.y, 1e-3);
    // The closing segment ends at most one step past the start.
    const PointF end = s.back().second;
    const double oneStep = std::max(a, b) * std::numbers::pi / 180 * 1.01;
    EXPECT_LE(std::hypot(end.x - s[0].second.x, end.y - s[0].second.y), oneStep);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EllipseShape,
    ::testing::Values(
        ShapeRow{"CircleAtRotation90", 10, 90, 1, 10, 10, {0, 10}, {10, 0}},
        ShapeRow{"Rotation90TurnsLocalXOntoScreenY", 10, 90, 2, 20, 10, {0, 10}, {20, 0}},
        ShapeRow{"Rotation0MirrorsLocalY", 10, 0, 2, 10, 20, {10, 0}, {0, -20}},
        ShapeRow{"Rotation45", 10, 45, 0.5f, 7.905694f, 7.905694f, {7.071068f, 7.071068f}, {3.535534f, -3.535534f}}),
    rowName);

struct LowestRow {
    const char* name;
    EllipseArgs args;
    Int16 lowest;
    std::size_t segments;  // 0: not checked
};

class EllipseLowest : public ::testing::TestWithParam<LowestRow> {};

TEST_P(EllipseLowest, ReturnsTheFloorOfTheLowestLoopPoint) {
    const LowestRow& row = GetParam();
    Recorder rec;
    EXPECT_EQ(TraceEllipse(row.args, rec), row.lowest);
    if (row.segments) {
        EXPECT_EQ(rec.segments.size(), row.segments);
    }
    if (row.args.radius != 0) return;
    for (const auto& [from, to] : rec.segments) {
        EXPECT_TRUE(from.x == row.args.cx && to.x == row.args.cx);
        EXPECT_TRUE(from.y == row.args.cy && to.y == row.args.cy);
    }
}

// ClosingPoint: at rotation 180 the point is (cx - r cos t, cy + r sin t);
// the loop stops at 40 degrees (y 164.28) and the closing point at 50 (y 176.6) is not counted.
INSTANTIATE_TEST_SUITE_P(
    Rows, EllipseLowest,
    ::testing::Values(LowestRow{"WorkedExample", {100, 100, 10, 90, 0, 360, 1, 1}, 110, 0},
                      LowestRow{"WhollyAboveTheTop", {100, -50, 10, 90, 0, 360, 1, 1}, 0, 0},
                      LowestRow{"ZeroRadius", {20, 37.6f, 0, 90, 0, 360, 1, 1}, 37, 0},
                      LowestRow{"StretchedBelowTheCentre", {0, 100.5f, 10, 0, 0, 360, 2, 1}, 120, 0},
                      LowestRow{"ClosingPointNotCounted", {100, 100, 100, 180, 0, 45, 1, 10}, 164, 6}),
    rowName);

struct FaultRow {
    const char* name;
    void (*call)();
    bool overflow;  // else invalid_argument
};

class Faults : public ::testing::TestWithParam<FaultRow> {};

TEST_P(Faults, RaiseInsteadOfDrawingNonsense) {
    if (GetParam().overflow) {
        EXPECT_THROW(GetParam().call(), OverflowError);
    } else {
        EXPECT_THROW(GetParam().call(), std::invalid_argument);
    }
}

Recorder sink;
INSTANTIATE_TEST_SUITE_P(Rows, Faults,
                         ::testing::Values(FaultRow{"TranslateOverflows",
                                                    [] {
                                                        TranslateXY(3e38f, 0, {3e38f, 0});
                                                    },
                                                    true},
                                           FaultRow{"NaNRadius",
                                                    [] {
                                                        TraceEllipse({0, 0, NAN, 0, 0, 360, 1, 1}, sink);
                                                    },
                                                    true},
                                           FaultRow{"LowestBeyond16Bits",
                                                    [] {
                                                        TraceEllipse({0, 40000, 10, 0, 0, 360, 1, 1}, sink);
                                                    },
                                                    true},
                                           FaultRow{"DoubleBeyondSingle", [] { toSingleChecked(1e39); }, true},
                                           FaultRow{"ZeroStep",
                                                    [] {
                                                        TraceEllipse({0, 0, 10, 0, 0, 360, 1, 0}, sink);
                                                    },
                                                    false},
                                           FaultRow{"StepLostInTheCounter",
                                                    [] {
                                                        TraceEllipse({0, 0, 10, 0, 1e9f, 1.00001e9f, 1, 1}, sink);
                                                    },
                                                    false}),
                         rowName);

}  // namespace
}  // namespace sextrix

// Scale factors from the camera's data sheet.
#include "calibration/classic_calibration.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace sextrix {
namespace {

// Closed forms of the pixel scale: 60 f N / (3438 s) pixels per degree.
double closedForm(double focal, double pixels, double size) { return 60 * focal * pixels / (3438 * size); }

TEST(ClassicCalibration, FactorsMatchTheClosedFormsOfThePixelScale) {
    const CameraData cameras[] = {
        {13.8, 9.0, 1024, 680, 1000},  // ≈ 1295.0 and ≈ 1318.6 px/°
        {36, 24, 8256, 5504, 135},
    };
    for (const CameraData& c : cameras) {
        const ScaleFactors f = classicScaleFactors(c);
        const double cx = closedForm(c.focal, c.pixelsX, c.sensorWidth);
        const double cy = closedForm(c.focal, c.pixelsY, c.sensorHeight);
        EXPECT_NEAR(f.alongX, cx, cx * 1e-12) << c.focal;
        EXPECT_NEAR(f.corrDec, cy, cy * 1e-12) << c.focal;
    }
    const ScaleFactors example = classicScaleFactors(cameras[0]);
    EXPECT_NEAR(example.alongX, 1295.0, 0.05);
    EXPECT_NEAR(example.corrDec, 1318.6, 0.05);
    const FieldOfView field = classicFieldOfView(13.8, 9.0, 1000);
    EXPECT_NEAR(field.widthArcmin, 47.44, 0.005);
    EXPECT_NEAR(field.heightArcmin, 30.94, 0.005);
}

TEST(ClassicCalibration, ZerosAreRefused) {
    const CameraData zeros[] = {
        {13.8, 9.0, 1024, 680, 0}, {13.8, 9.0, 0, 680, 1000},  {13.8, 9.0, 1024, 0, 1000},
        {0, 9.0, 1024, 680, 1000}, {13.8, 0, 1024, 680, 1000},  // singular system
    };
    for (const CameraData& c : zeros) EXPECT_THROW(classicScaleFactors(c), std::domain_error);
    EXPECT_THROW(classicFieldOfView(13.8, 9.0, 0), std::domain_error);
}

}  // namespace
}  // namespace sextrix

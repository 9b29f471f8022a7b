#pragma once
// Scale factors from a camera's data sheet instead of an image: the sensor's
// size in millimetres and in pixels, and the focal length.
//
// The factors come from the same two-pair equation system as the calibration
// by image, fed with two synthetic pairs offset by (300, 480) and (600, 100)
// pixels whose sky extent follows from the sensor. Mathematically
//   along x: 60 f Nx / (3438 W),   along y (Corr Dec): 60 f Ny / (3438 H)
// pixels per degree on the sky (3438: arcminutes per radian, rounded); the
// system gives them to within the last digits.
#include "image_calibration.h"

namespace sextrix {

struct CameraData {
    double sensorWidth = 0;   // W, mm, along x (right ascension on the image)
    double sensorHeight = 0;  // H, mm, along y (declination)
    double pixelsX = 0;       // Nx
    double pixelsY = 0;       // Ny
    double focal = 0;         // f, mm
};

struct ScaleFactors {
    double alongX = 0;   // pixels per degree on the sky along x
    double corrDec = 0;  // pixels per degree along y
};

// Throws std::domain_error ("Division by zero") for a focal length or pixel
// count of 0 and for a sensor size of 0, which leaves the system singular;
// OverflowError when a factor is beyond the range of a double.
ScaleFactors classicScaleFactors(const CameraData& camera);

// Corr Asd for a field at declination decDeg: the identification works in
// degrees of right ascension, of which there are 1 / cos(dec) times more per
// pixel than degrees on the sky.
double corrAsdAt(double pixelsPerDegreeAlongX, double decDeg);

// Throws std::domain_error for a focal length of 0.
FieldOfView classicFieldOfView(double sensorWidth, double sensorHeight, double focal);

}  // namespace sextrix

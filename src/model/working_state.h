#pragma once
// The state of the current reduction, owned by the main window for the whole
// run. Counters and flags are 16-bit; flags hold -1 for true and 0 for false.
// Sky positions are in scaled units: degrees times corrAsd (RA) or corrDec
// (Dec), without a cos(dec) factor.
#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>
#include "windows_only.h"

#include "calibration/image_calibration.h"
#include "click_mode.h"
#include "measure/kept_measurement.h"
#include "series_state.h"
#include "state/plate_constants.h"
#include "state/reduction_values.h"
#include "state/refinement_result.h"

namespace sextrix {

struct WorkingState {
    // Scratch shared by the readers and the search.
    std::string lineText;

    // Inputs of the reduction.
    double corrAsd = 0;   // pixels per degree of RA
    double corrDec = 0;   // pixels per degree of Dec
    std::string decSign;  // "1" or "-1"
    double centreRa = 0;  // scaled J2000.0 units, as the step's CentreJ2000 read it
    double centreDec = 0;

    // Catalogue stars, 1..catTotal; index 0 is never written.
    std::vector<std::string> catIds = std::vector<std::string>(kCatalogueCapacity + 1);
    std::vector<double> catX = std::vector<double>(kCatalogueCapacity + 1);
    std::vector<double> catY = std::vector<double>(kCatalogueCapacity + 1);
    // The same positions unrounded, in J2000.0 degrees; right ascensions are
    // taken within half a turn of the field centre, as catX is, so they may
    // fall below 0 or beyond 360 for a field across 0 h.
    std::vector<double> catRa = std::vector<double>(kCatalogueCapacity + 1);
    std::vector<double> catDec = std::vector<double>(kCatalogueCapacity + 1);
    std::vector<std::string> catMagR = std::vector<std::string>(kCatalogueCapacity + 1);
    std::vector<std::string> catMagB = std::vector<std::string>(kCatalogueCapacity + 1);
    Int16 catTotal = 0;
    Int16 catCount = 0;

    // Picking.
    Int16 clickX = 0;
    Int16 clickY = 0;
    Int16 pickCount = 0;
    std::array<double, 11> pickX{};
    std::array<double, 11> pickY{};
    Int16 starsPicked = kFalse;
    Int16 imageLoaded = kFalse;

    // Identification and plate.
    SquareTable pickDist{9};
    SquareTable catDist{kCatDistSize};
    Int16 solutionCount = 0;
    Plate plate;  // of the accepted candidate, or of the last one shown
    // The fit over every matched star once the accepted plate is refined;
    // no solution while a candidate is shown or when too few stars matched.
    Refinement refinement;
    // What the measurements of the picture use: its values as the detector
    // reads them; the refined solution, its scatter, the stars' width and
    // the zero point; the catalogue of its stars. Made when measuring
    // starts, so that a click only measures, and forgotten with the solution.
    struct MeasureFrame {
        LuminanceImage image;
        FrameCalibration calibration;
        std::optional<Catalogue> catalogue;  // none: one the reports cannot name
    };
    std::optional<MeasureFrame> measureFrame;
    Int16 solved = kFalse;
    Int16 centreWarn = kFalse;
    double rotationDeg = 0;
    Int16 mapFailed = 0;

    // Modes and flags.
    ClickMode mode = ClickMode::Idle;
    std::string fullMapState;  // "", "loading", "done", "err"
    Int16 etaloArmed = 0;      // super calibration: hovering fills the boxes until a click keeps the star
    Int16 WizardStatus = 0;
    Int16 ConfigStatus = 0;

    // The calibration by image (and the super calibration) in progress: its
    // stars and the one its next click and press take.
    ThreeStarCalibration imageCalibration;

    // Asteroids, 1..astCount.
    Int16 astCount = 0;
    std::vector<std::string> astNumbers = std::vector<std::string>(kObjectCapacity + 1);
    std::vector<std::string> astNames = std::vector<std::string>(kObjectCapacity + 1);
    std::vector<std::string> astX = std::vector<std::string>(kObjectCapacity + 1);
    std::vector<std::string> astY = std::vector<std::string>(kObjectCapacity + 1);
    std::vector<std::string> astText48 = std::vector<std::string>(kObjectCapacity + 1);
    std::vector<std::string> astText77 = std::vector<std::string>(kObjectCapacity + 1);
    std::vector<std::string> astText70 = std::vector<std::string>(kObjectCapacity + 1);

    // Deep-sky objects, 1..deepCount.
    Int16 deepCount = 0;
    std::vector<std::string> deepNames = std::vector<std::string>(kObjectCapacity + 1);
    std::vector<std::string> deepPgc = std::vector<std::string>(kObjectCapacity + 1);
    std::vector<double> deepX = std::vector<double>(kObjectCapacity + 1);
    std::vector<double> deepY = std::vector<double>(kObjectCapacity + 1);
    std::vector<double> deepSize1 = std::vector<double>(kObjectCapacity + 1);  // arcminutes
    std::vector<double> deepSize2 = std::vector<double>(kObjectCapacity + 1);
    std::vector<double> deepPa = std::vector<double>(kObjectCapacity + 1);  // degrees
    std::vector<std::string> deepText51 = std::vector<std::string>(kObjectCapacity + 1);
    std::vector<std::string> deepText79 = std::vector<std::string>(kObjectCapacity + 1);
    std::vector<std::string> deepText97 = std::vector<std::string>(kObjectCapacity + 1);
    std::vector<std::string> deepText113 = std::vector<std::string>(kObjectCapacity + 1);

    // Display support.
    Int16 scrollDirection = 0;  // 1 left, 2 down, 3 right, 4 up, 0 none
    std::string savedMag;
    std::string asteroidDay;
    std::optional<double> asteroidMjd;  // the time of the asteroid list downloaded in this session
    Int16 blinkCount = 0;
    std::string imageFileTime;
    // The file and its time of the picture shown: another one is a new image.
    std::string imageShown;
    // The FITS header's keywords of the picture shown; none for other files.
    std::map<std::string, std::string> imageKeywords;

    // The objects measured, in the order of the clicks.
    std::vector<KeptMeasurement> measurements;
    // The series opened with "Open series…".
    SeriesState series;
};

}  // namespace sextrix

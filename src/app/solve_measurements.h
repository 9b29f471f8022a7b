#pragma once
// sextrix-solve's measurements: targets measured on the solved frame at
// the pixels given, their time, and the reports to the Minor Planet Center.
#include <nlohmann/json.hpp>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "autosolve/solve_field.h"
#include "fits/fits_image.h"
#include "obstime/observation_time.h"
#include "report/measurement.h"
#include "report/observer_settings.h"

namespace sextrix {

struct MeasureRequest {
    std::vector<std::pair<double, double>> pixels;  // --measure X,Y, as --picks takes pixels
    std::string timeText;                           // --time
    std::string designationText;                    // --designation
    std::string station;                            // --station
    std::string observerConfig;                     // --observer-config; empty: the program folder's
    std::string mpcPath, adesPath;                  // --mpc, --ades
    bool moving = false;  // --moving: the reports take the moving objects, named in order by --designation A,B

    bool wantsReport() const { return !mpcPath.empty() || !adesPath.empty(); }
};

// The middle of a frame's exposure: the time given (--time), else the FITS
// header's, else the camera's EXIF with the camera's offset from UTC.
Outcome<ObservationTime> frameTime(const std::string& timeText, const std::string& imagePath,
                                   const std::map<std::string, std::string>* fitsKeywords,
                                   std::optional<double> cameraUtcOffsetHours);

// The names of --designation A,B,... in order, each trimmed; none for "".
std::vector<std::string> designationTexts(const std::string& text);

// What the option values must be before anything is solved: a report needs
// --measure and --designation, an ADES file ends in .psv or .xml, --time and
// --designation read as such. The reason, or empty.
std::string measureRequestProblem(const MeasureRequest& request);

struct MeasureInput {
    const LuminanceImage& image;
    const std::string& imagePath;
    const std::map<std::string, std::string>* fitsKeywords;  // null for a picture that is not FITS
    const SolveOutcome& outcome;
    const std::vector<ReferenceStar>& catalogue;
    const std::vector<DetectedStar>& detected;
    Catalogue catalogueName;
    std::string observerConfig;  // the settings file to read
};

struct MeasureResult {
    nlohmann::ordered_json measurements = nlohmann::ordered_json::array();
    std::vector<std::string> lines;  // what the plain output prints
    std::string refusal;             // a report that cannot be written: exit 2 with it
};

// Measures every pixel, then writes the reports asked for. A report with no
// time, no observatory code, or no target measured is refused whole (no file
// written, an earlier one left as it was).
MeasureResult measureAndReport(const MeasureRequest& request, const MeasureInput& input);

struct ReportFiles {
    std::vector<std::string> lines;  // "mpc       FILE", "ades      FILE"
    std::string refusal;             // why none was written
};

// The reports asked for, of these measurements, with the settings read (the
// station from --station first). Both texts are made before either file is
// written, so a refusal writes none.
ReportFiles writeReports(const MeasureRequest& request, const std::vector<ReportedMeasurement>& reported,
                         const Result<ObserverSettingsReading>& read);

}  // namespace sextrix

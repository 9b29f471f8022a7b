#include "solve_frame.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>

#include "blind/blind_solve.h"
#include "detect/luminance_image.h"
#include "detect/star_detection.h"
#include "fits/fits_image.h"
#include "geometry/tan_projection.h"
#include "output_text.h"
#include "persist/wcs_header.h"
#include "qtio/qt_images.h"
#include "state/errors.h"
#include "state/text_file.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

struct LoadedImage {
    LuminanceImage image;
    FitsRows rows = FitsRows::TopDown;
    std::optional<std::map<std::string, std::string>> fitsKeywords;
};

LoadedImage loadImage(const std::string& path) {
    if (!std::filesystem::is_regular_file(path)) throw BadInput("no such image file: " + path);
    if (isFitsFile(path)) {
        // Raw values, row 1 at the bottom as the window shows it; the sidecar
        // numbers the rows the same way.
        Result<FitsImage> fits = readFitsImage(path);
        if (!fits) throw BadInput(describe(fits.error()));
        return {std::move(fits->image), FitsRows::BottomUp, std::move(fits->keywords)};
    }
    Result<LuminanceImage> image = qtio::decodeLuminanceFile(path);
    if (!image) throw BadInput("cannot read the image " + describe(image.error()));
    return {std::move(*image), FitsRows::TopDown, std::nullopt};
}

// The warning when the centre given has left the area the catalogue file was
// fetched for, or when the area kept beside it cannot be read; empty when it
// has not, or when no area is kept beside it.
std::string areaWarning(const SharedSolve& shared, int width, int height) {
    if (!shared.areaProblem.empty()) return shared.areaProblem;
    const std::optional<CatalogueArea>& area = shared.area;
    const SolveHints& s = shared.hints;
    if (!area || !centreOutsideArea(*area, s.centreRaDeg, s.centreDecDeg, halfDiagonalDeg(width, height, s.corrDec)))
        return {};
    return shared.cataloguePath + " was fetched around " + positionText(area->raDeg, area->decDeg) + " (radius " +
           numberToText(area->radiusArcmin, '.') + "'); the centre given, " +
           positionText(s.centreRaDeg, s.centreDecDeg) + ", lies outside it: its stars may be another field's";
}

std::string sexagesimal(double value, int decimals, bool sign) {
    const bool negative = value < 0;
    const double scale = std::pow(10.0, decimals);
    const double total = std::round(std::abs(value) * 3600 * scale) / scale;
    const int units = static_cast<int>(total / 3600);
    const int minutes = static_cast<int>((total - units * 3600) / 60);
    const double seconds = total - units * 3600 - minutes * 60;
    char text[48];
    std::snprintf(text, sizeof text, "%s%02d %02d %0*.*f", sign ? (negative ? "-" : "+") : "", units, minutes,
                  decimals + 3, decimals, seconds);
    return text;
}

// Paths and service texts need not be UTF-8: a bad byte is replaced, not thrown on.
std::string jsonLine(const nlohmann::ordered_json& object) {
    return object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

class FrameSolve {
public:
    FrameSolve(const std::string& imagePath, const std::string& wcsPath, const SharedSolve& shared)
        : path_(imagePath), wcs_(wcsPath), shared_(shared) {
        // Several images: every stderr line and plain block names its image.
        if (shared.several) label_ = imagePath + ": ";
        result_["image"] = imagePath;
        if (shared.several && !shared.json) report_.out = "image     " + imagePath + "\n";
    }

    FrameReport run() {
        try {
            solve();
        } catch (const std::exception& e) {
            fail(2, e.what());
        }
        return std::move(report_);
    }

private:
    void solve() {
        LoadedImage loaded = loadImage(path_);
        const LuminanceImage& image = loaded.image;
        if (!shared_.blind) report_.warning = areaWarning(shared_, image.width, image.height);
        const std::vector<DetectedStar> detected = detectStars(image);
        const SolveHints& hints = shared_.hints;
        std::vector<ReferenceStar> blindCatalogue;
        SolveOutcome outcome;
        if (shared_.blind) {
            BlindSolve blind = shared_.blind->solve(detected, image.width, image.height);
            result_["blind"] = {{"quads", blind.stats.quadsTried}, {"candidates", blind.proven}};
            outcome = std::move(blind.outcome);
            blindCatalogue = std::move(blind.catalogue);
        } else {
            outcome = shared_.picks ? solveFieldWithPicks(*shared_.picks, detected, image.width, image.height,
                                                          shared_.catalogue, hints)
                                    : solveField(detected, image.width, image.height, shared_.catalogue, hints);
        }
        const std::vector<ReferenceStar>& catalogue = shared_.blind ? blindCatalogue : shared_.catalogue;
        if (!outcome.solved) {
            result_["detected"] = detected.size();
            result_["searches"] = outcome.searches;
            result_["proofs"] = outcome.proofs;
            fail(1, outcome.reason);
            return;
        }
        const TanSolution& s = outcome.solution;
        writeFileBytes(wcs_, wcsHeaderText(s, {image.width, image.height, loaded.rows}));
        MeasureResult measured;
        if (!shared_.measure.pixels.empty())
            measured = measureAndReport(shared_.measure,
                                        {image, path_, loaded.fitsKeywords ? &*loaded.fitsKeywords : nullptr, outcome,
                                         catalogue, detected, shared_.catalogueName, shared_.observerConfig});
        const Solved solved{outcome,          tanPixelToSky(s, (image.width - 1) / 2.0, (image.height - 1) / 2.0),
                            orientationOf(s), tanScaleArcsecPerPixel(s),
                            detected.size(),  measured};
        if (shared_.json)
            solvedJson(solved);
        else
            solvedText(solved);
        if (!measured.refusal.empty()) {
            report_.err += "sextrix-solve: " + label_ + measured.refusal + "\n";
            report_.status = 2;
        }
        if (shared_.keepFrames) keep(std::move(loaded), outcome, detected);
    }

    void keep(LoadedImage loaded, const SolveOutcome& outcome, const std::vector<DetectedStar>& detected) {
        const auto* keywords = loaded.fitsKeywords ? &*loaded.fitsKeywords : nullptr;
        const Outcome<ObservationTime> time = frameTime({}, path_, keywords, shared_.cameraUtcOffsetHours);
        report_.kept = KeptFrame{path_,
                                 std::move(loaded.image),
                                 outcome,
                                 detected,
                                 time ? std::optional(time->mjdUtc) : std::nullopt,
                                 time ? std::string() : time.reason()};
    }

    // A frame that was not solved (status 1) or could not be read (status 2):
    // the reason on stderr and in the output (a plain block says it only when
    // it names its image).
    void fail(int status, const std::string& reason) {
        const bool unsolved = status == 1;
        report_.status = status;
        report_.err += "sextrix-solve: " + label_ + (unsolved ? "no solution: " : "") + reason + "\n";
        if (shared_.json) {
            nlohmann::ordered_json object{{"image", path_}, {"solved", false}, {unsolved ? "reason" : "error", reason}};
            object.update(result_);
            if (!report_.warning.empty()) object["catalogue_warning"] = report_.warning;
            report_.out = jsonLine(object);
        } else if (shared_.several) {
            report_.out += (unsolved ? "unsolved  " : "error     ") + reason + "\n";
        }
    }

    // What the plain and JSON outputs show of a solution.
    struct Solved {
        const SolveOutcome& outcome;
        SkyDirection centre;
        Orientation orientation;
        double scale;
        std::size_t detected;
        const MeasureResult& measured;
    };

    void solvedJson(const Solved& solved) {
        const SolveOutcome& outcome = solved.outcome;
        const SkyDirection& centre = solved.centre;
        const Orientation& o = solved.orientation;
        nlohmann::ordered_json& result = result_;
        result["solved"] = true;
        result["ra_deg"] = rounded(centre.raDeg, 7);
        result["dec_deg"] = rounded(centre.decDeg, 7);
        result["ra"] = sexagesimal(centre.raDeg / 15, 2, false);
        result["dec"] = sexagesimal(centre.decDeg, 1, true);
        result["scale_arcsec_per_px"] = rounded(solved.scale, 5);
        result["rotation_deg"] = rounded(o.upPositionAngleDeg, 3);
        result["mirrored"] = o.mirrored;
        result["matches"] = outcome.refinement.used;
        result["rejected"] = outcome.refinement.rejected;
        result["rms_px"] = rounded(outcome.rmsPx, 4);
        result["rms_arcsec"] = rounded(outcome.refinement.rmsArcsec, 4);
        result["sip_order"] = outcome.refinement.sipOrder;
        result["check_stars"] = outcome.proofPredicted;
        result["check_stars_found"] = outcome.proofMatches;
        result["log10_false_alarm"] = rounded(outcome.log10FalseAlarm, 1);
        result["detected"] = solved.detected;
        result["searches"] = outcome.searches;
        result["proofs"] = outcome.proofs;
        result["wcs"] = wcs_;
        if (!report_.warning.empty()) result["catalogue_warning"] = report_.warning;
        if (!shared_.measure.pixels.empty()) result["measurements"] = solved.measured.measurements;
        if (!solved.measured.refusal.empty()) result["report_error"] = solved.measured.refusal;
        report_.out = jsonLine(result);
    }

    void solvedText(const Solved& solved) {
        const SolveOutcome& outcome = solved.outcome;
        const SkyDirection& centre = solved.centre;
        const Orientation& o = solved.orientation;
        std::string& out = report_.out;
        out += format("centre    RA %s  Dec %s  (J2000.0; %.6f %+.6f deg)\n",
                      sexagesimal(centre.raDeg / 15, 2, false).c_str(), sexagesimal(centre.decDeg, 1, true).c_str(),
                      centre.raDeg, centre.decDeg);
        out += format("scale     %.4f\"/px\n", solved.scale);
        out += format("rotation  up at %.2f deg east of north\n", o.upPositionAngleDeg);
        out += format("parity    %s\n",
                      o.mirrored ? "mirrored (east right with north up)" : "normal (east left with north up)");
        out += format("matches   %d stars (%d rejected), %zu detected\n", outcome.refinement.used,
                      outcome.refinement.rejected, solved.detected);
        out += format("rms       %.3f px (%.3f\")\n", outcome.rmsPx, outcome.refinement.rmsArcsec);
        out +=
            format("check     %d of %d held-back catalogue stars where predicted (chance of a wrong solution 1e%.1f)\n",
                   outcome.proofMatches, outcome.proofPredicted, outcome.log10FalseAlarm);
        out += "wcs       " + wcs_ + "\n";
        for (const std::string& line : solved.measured.lines) out += line + "\n";
    }

    const std::string& path_;
    const std::string& wcs_;
    const SharedSolve& shared_;
    std::string label_;
    nlohmann::ordered_json result_ = nlohmann::ordered_json::object();
    FrameReport report_;
};

}  // namespace

std::optional<ImageSize> firstImageSize(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) try {
            const LoadedImage loaded = loadImage(path);
            return ImageSize{loaded.image.width, loaded.image.height};
        } catch (const BadInput&) {
        }
    return std::nullopt;
}

FrameReport solveFrame(const std::string& imagePath, const std::string& wcsPath, const SharedSolve& shared) {
    return FrameSolve(imagePath, wcsPath, shared).run();
}

}  // namespace sextrix

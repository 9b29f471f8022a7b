// sextrix-solve: identifies a star field from the command line, with no
// window: detects the stars, picks five, searches the catalogue for them,
// judges and refines the solution, prints it and writes the .wcs sidecar.
// Images are JPEG, PNG, BMP (Qt decodes them, no program object needed) or
// FITS (cfitsio, raw values).
// Exit status: 0 solved, 1 no solution, 2 bad input.
#include <QCoreApplication>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "autosolve/solve_field.h"
#include "catalog/answer_fetch.h"
#include "catalog/catalogue_area.h"
#include "catalog/download_protocols.h"
#include "catalog/download_queries.h"
#include "catalog/hosts_file.h"
#include "catalog/service_text.h"
#include "catalog/star_list_reader.h"
#include "detect/luminance_image.h"
#include "detect/star_detection.h"
#include "fits/fits_image.h"
#include "geometry/angles.h"
#include "geometry/centre.h"
#include "geometry/tan_projection.h"
#include "persist/wcs_header.h"
#include "qtio/qt_http.h"
#include "qtio/qt_images.h"
#include "qtio/qt_program_folders.h"
#include "solve_measurements.h"
#include "state/angle_units.h"
#include "state/errors.h"
#include "state/text_file.h"
#include "state/text_number.h"

namespace {

using namespace sextrix;

constexpr const char* kHelp = R"(Usage: sextrix-solve IMAGE --ra "HH MM SS" --dec "+DD MM SS"
                     (--scale ARCSEC_PER_PIXEL | --corr CORR_ASD CORR_DEC) [options]

Identifies the stars of IMAGE (JPEG, PNG, BMP, FITS) against a star catalogue
answer, prints where the image points and writes a WCS sidecar.

Hints (required):
  --ra "HH MM SS"        approximate centre, right ascension (fields separated
                         by spaces or colons; seconds may have decimals;
                         below 24 h, minutes and seconds below 60, no sign)
  --dec "+DD MM SS"      approximate centre, declination, signed (within 90
                         degrees, minutes and seconds below 60)
  --scale ARCSEC         image scale in arcseconds per pixel (0.001..3600), or
  --corr ASD DEC         the scale factors of the main window: pixels per
                         degree of right ascension (at the centre) and of
                         declination (either sign, size 0.001..3600000)

Options:
  --epoch YEAR           epoch of the centre, precessed to J2000.0 (2000.0;
                         1000..3000)
  --radius ARCMIN        catalogue search radius for --download (the image's
                         half-diagonal, plus half of it for an uncertain
                         centre; 0.01..5400)
  --mag LIMIT            faintest magnitude for --download (13; -2..30)
  --tolerance PIXELS     how far each side of the picked figure may differ
                         from the catalogue's (7; 0.01..1000)
  --catalogue FILE       a star catalogue answer in the layout of data.txt;
                         when the area it was fetched for is kept beside it
                         (its name with the extension .area: data.area beside
                         data.txt), a centre that left it is warned of on
                         stderr (and as "catalogue_warning" with --json)
  --download             fetch the answer from the star service of hosts.cfg
                         (the window's: beside a portable copy, else in
                         ~/.local/share/velorin-sextrix; the defaults
                         without one)
  --mirrored             the optics mirror the image (a solution of the other
                         parity then needs a stronger case, and the reverse)
  --picks "x,y x,y x,y x,y x,y"
                         the five stars to identify, in pixels (x right,
                         y down from the top-left pixel's centre, a FITS
                         image shown with its row 1 at the bottom); chosen
                         among the brightest detected stars when left out
  --wcs FILE             where to write the WCS sidecar (IMAGE with the
                         extension .wcs); for a FITS image its pixels are
                         numbered as the file numbers them
  --json                 print the result as one JSON object
  --help                 this text

Measuring a minor planet or comet and reporting it to the Minor Planet Center:
  --measure X,Y          measure the source nearest this pixel (as --picks
                         takes pixels; again for more targets): position,
                         uncertainty, signal-to-noise ratio and magnitude in
                         the catalogue's band
  --time ISO8601         UTC of the middle of the exposure (2026-12-08T03:14:15.5);
                         without it, the FITS header's DATE-AVG or DATE-OBS
                         and EXPTIME, or the picture's EXIF block with its
                         OffsetTimeOriginal (else the settings' camera offset)
  --designation D        the object: a number, a provisional designation
                         ("2024 AB12"), a comet ("C/2023 A3") or a temporary
                         one of at most seven letters and digits
  --station CODE         observatory code (instead of the settings')
  --observer-config FILE the report settings (the window's "Report" window
                         keeps them in observer.cfg beside hosts.cfg)
  --mpc FILE             write the 80-column report
  --ades FILE            write an ADES 2022 report, FILE.psv or FILE.xml
  A report needs --measure, --designation, a time and an observatory code;
  without one of them it is exit 2 with the reason, and no file is written.

Output: the centre of the image (J2000.0), the scale, the position angle of
the image's up direction (east of north), the parity, the number of detected
stars matched and the RMS residual of the refined solution, and how many of
the catalogue stars held back from the search lie where the solution puts
them, with the chance that a wrong solution would have done as well.

Exit status: 0 solved, 1 no solution (the reason on stderr), 2 bad input
(missing or unreadable file, an option that is not a number or lies outside
its range, named on stderr; a catalogue without stars).
)";

struct BadInput : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Command {
    std::string image;
    std::string ra, dec;
    std::optional<double> scale;
    std::optional<std::pair<double, double>> corr;
    std::string epoch = "2000.0";
    std::optional<double> radiusArcmin;
    double magLimit = 13;
    double tolerance = 7;
    std::string catalogue;
    bool download = false;
    bool mirrored = false;
    std::optional<FivePicks> picks;
    std::string wcs;
    bool json = false;
    MeasureRequest measure;
};

double number(const std::string& text, const std::string& option) {
    try {
        const double value = parseStrictNumber(text, '.');
        if (std::isfinite(value)) return value;
    } catch (const std::exception&) {
    }
    throw BadInput(option + " takes a number, not \"" + text + "\"");
}

// What the numeric options take, bounds included; --corr's factors may be
// negative, their size lies in the range.
struct Range {
    double low, high;
};
constexpr Range kScaleRange{0.001, 3600}, kCorrRange{0.001, 3.6e6}, kRadiusRange{0.01, 5400}, kMagRange{-2, 30},
    kToleranceRange{0.01, 1000};

double number(const std::string& text, const std::string& option, Range range, bool eitherSign = false) {
    const double value = number(text, option);
    const double size = eitherSign ? std::abs(value) : value;
    if (size < range.low || size > range.high)
        throw BadInput(option + " must lie within " + (eitherSign ? "+-" : "") + numberToText(range.low, '.') + ".." +
                       numberToText(range.high, '.') + ", not " + text);
    return value;
}

FivePicks parsePicks(const std::string& text) {
    std::istringstream in(text);
    std::vector<PickedStar> stars;
    std::string pair;
    while (in >> pair) {
        const auto comma = pair.find(',');
        if (comma == std::string::npos) throw BadInput("--picks takes x,y pairs, not \"" + pair + "\"");
        stars.push_back({number(pair.substr(0, comma), "--picks"), number(pair.substr(comma + 1), "--picks")});
    }
    if (stars.size() != 5) throw BadInput("--picks takes exactly five x,y pairs");
    FivePicks picks;
    for (int k = 0; k < 5; ++k) picks[k] = stars[k];
    return picks;
}

Command parseCommand(const std::vector<std::string>& args) {
    Command c;
    auto value = [&](std::size_t& i) -> const std::string& {
        if (i + 1 >= args.size()) throw BadInput(args[i] + " needs a value");
        return args[++i];
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--ra")
            c.ra = value(i);
        else if (a == "--dec")
            c.dec = value(i);
        else if (a == "--scale")
            c.scale = number(value(i), a, kScaleRange);
        else if (a == "--corr") {
            const double asd = number(value(i), a, kCorrRange, true);
            c.corr = {{asd, number(value(i), a, kCorrRange, true)}};
        } else if (a == "--epoch")
            c.epoch = value(i), number(c.epoch, a);
        else if (a == "--radius")
            c.radiusArcmin = number(value(i), a, kRadiusRange);
        else if (a == "--mag")
            c.magLimit = number(value(i), a, kMagRange);
        else if (a == "--tolerance")
            c.tolerance = number(value(i), a, kToleranceRange);
        else if (a == "--catalogue")
            c.catalogue = value(i);
        else if (a == "--download")
            c.download = true;
        else if (a == "--mirrored")
            c.mirrored = true;
        else if (a == "--picks")
            c.picks = parsePicks(value(i));
        else if (a == "--wcs")
            c.wcs = value(i);
        else if (a == "--json")
            c.json = true;
        else if (a == "--measure") {
            const std::string& pair = value(i);
            const auto comma = pair.find(',');
            if (comma == std::string::npos) throw BadInput("--measure takes X,Y, not \"" + pair + "\"");
            c.measure.pixels.emplace_back(number(pair.substr(0, comma), a), number(pair.substr(comma + 1), a));
        } else if (a == "--time")
            c.measure.timeText = value(i);
        else if (a == "--designation")
            c.measure.designationText = value(i);
        else if (a == "--station")
            c.measure.station = value(i);
        else if (a == "--observer-config")
            c.measure.observerConfig = value(i);
        else if (a == "--mpc")
            c.measure.mpcPath = value(i);
        else if (a == "--ades")
            c.measure.adesPath = value(i);
        else if (a.starts_with("--"))
            throw BadInput("unknown option " + a);
        else if (c.image.empty())
            c.image = a;
        else
            throw BadInput("more than one image given: " + a);
    }
    if (c.image.empty()) throw BadInput("no image given (see --help)");
    if (c.ra.empty() || c.dec.empty()) throw BadInput("--ra and --dec are required");
    if (c.scale.has_value() == c.corr.has_value()) throw BadInput("give either --scale or --corr");
    if (c.catalogue.empty() == !c.download) throw BadInput("give either --catalogue FILE or --download");
    if (c.wcs.empty()) c.wcs = wcsSidecarPath(c.image);
    if (const std::string problem = measureRequestProblem(c.measure); !problem.empty()) throw BadInput(problem);
    return c;
}

// "08 51 18", "08:51:18" or "-05 30" into three fields and a sign; without
// `negative` (a right ascension) a sign is refused.
std::array<std::string, 3> sexagesimalFields(std::string text, const char* option, bool* negative) {
    for (char& ch : text)
        if (ch == ':') ch = ' ';
    std::size_t start = text.find_first_not_of(' ');
    if (start != std::string::npos && (text[start] == '-' || text[start] == '+')) {
        if (!negative) throw BadInput(std::string(option) + " takes no sign");
        *negative = text[start] == '-';
        text.erase(start, 1);
    } else if (negative) {
        *negative = false;
    }
    std::istringstream in(text);
    std::array<std::string, 3> fields{"0", "0", "0"};
    std::string field;
    int n = 0;
    while (in >> field) {
        if (n == 3) throw BadInput(std::string(option) + " takes at most three fields");
        number(field, option);
        if (field.starts_with('-') || field.starts_with('+')) throw BadInput(std::string(option) + ": sign in a field");
        fields[n++] = field;
    }
    if (n == 0) throw BadInput(std::string(option) + " is empty");
    return fields;
}

struct Hints {
    SolveHints solve;
    double centreRaDeg = 0;
};

Hints hintsOf(const Command& c) {
    TypedCentre typed;
    typed.ra = sexagesimalFields(c.ra, "--ra", nullptr);
    typed.dec = sexagesimalFields(c.dec, "--dec", &typed.south);
    typed.epochText = c.epoch;
    if (const auto fault = centreFault(typed, '.')) {
        const char* options[] = {"--ra", "--dec", "--epoch"};
        throw BadInput(options[static_cast<int>(fault->part)] + (" " + fault->reason));
    }
    const CentreJ2000Result j2000 = centreJ2000(typed, 1, 1, '.');
    Hints h;
    h.solve.centreRaDeg = j2000.X;
    h.solve.centreDecDeg = std::clamp(j2000.Y, -90.0, 90.0);
    if (c.scale) {
        h.solve.corrDec = 3600 / *c.scale;
        h.solve.corrAsd = h.solve.corrDec * std::cos(toRadians(h.solve.centreDecDeg));
    } else {
        h.solve.corrAsd = c.corr->first;
        h.solve.corrDec = c.corr->second;
    }
    h.solve.tolerance = c.tolerance;
    h.solve.mirrored = c.mirrored;
    h.centreRaDeg = j2000.X;
    return h;
}

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

// Where the window keeps hosts.cfg: beside a portable copy, else the user's
// data folder.
std::string programFolder() {
    return qtio::programFoldersFor(QCoreApplication::applicationDirPath().toStdString()).programFolder;
}

// The star answer, and the protocol of the service that gave it.
std::pair<std::string, std::string> downloadAnswer(const Command& c, const Hints& h, int width, int height,
                                                   const std::string& folder) {
    HostsSettings hosts;
    const std::string hostsPath = joinPath(folder, "hosts.cfg");
    if (std::filesystem::is_regular_file(hostsPath)) {
        Result<std::string> text = readFileBytes(hostsPath);
        if (!text) throw BadInput(describe(text.error()));
        const HostsReading reading = readHostsFile(*text, hostsPath);
        hosts = reading.settings;
        for (const HostsProblem& p : reading.problems) std::cerr << describe(p.error) << "\n";
    }
    const Protocol<StarQuery>* protocol = findProtocol(starProtocols(), hosts.star.protocol);
    if (!protocol) throw BadInput("unknown star protocol \"" + hosts.star.protocol + "\" in " + hostsPath);

    StarQuery q;
    q.raDeg = h.solve.centreRaDeg;
    q.decDeg = h.solve.centreDecDeg;
    const double halfDiagonalArcmin = std::hypot(width, height) / 2 / std::abs(h.solve.corrDec) * 60;
    q.radiusArcmin = c.radiusArcmin.value_or(std::ceil(1.5 * halfDiagonalArcmin));
    q.magLimit = c.magLimit;
    q.epochText = c.epoch;
    q.raText = raQueryText(q.raDeg / 15);
    q.decText = decQueryText(std::abs(q.decDeg), q.decDeg < 0 ? "-" : "");
    q.fieldText = numberToText(q.radiusArcmin, '.');
    q.magText = numberToText(q.magLimit, '.');

    qtio::QtHttp http;
    HttpRequest request;
    request.url = protocol->url(hosts.star.address, q);
    request.timeoutMs = hosts.timeoutSeconds * 1000;
    const FetchedAnswer fetched = fetchAnswer(http, request, kMaxAnswerBytes,
                                              [&](std::string body) { return protocol->answer(std::move(body), q); });
    if (fetched.failure != FetchFailure::None)
        throw BadInput("download from " + hosts.star.address +
                       " failed: " + fetchFailureText(fetched, {}, hosts.timeoutSeconds, kMaxAnswerBytes));
    return {fetched.answer->bytes, hosts.star.protocol};
}

std::vector<ReferenceStar> catalogueStars(const std::string& bytes, const std::string& source, const Hints& h) {
    Result<std::vector<StarRecord>> read = parseStarList(bytes, source, 1, 1, h.centreRaDeg);
    if (!read) throw BadInput(describe(read.error()));
    std::vector<StarRecord>& records = *read;
    if (records.empty()) throw BadInput(source + " holds no star record");
    std::vector<ReferenceStar> stars;
    stars.reserve(records.size());
    for (auto& r : records) stars.push_back({std::move(r.id), r.ra, r.dec, magnitudeOf(r.magR)});
    return stars;
}

// The warning when the given centre has left the area the catalogue file was
// fetched for, or when the area kept beside it cannot be read; empty when it
// has not, or when no area is kept beside it.
std::string areaWarning(const std::string& path, const std::string& bytes, const Hints& h, int width, int height) {
    const Result<std::optional<CatalogueArea>> read = areaBeside(path, bytes);
    if (!read) return describe(read.error());
    const std::optional<CatalogueArea>& area = *read;
    const SolveHints& s = h.solve;
    if (!area || !centreOutsideArea(*area, s.centreRaDeg, s.centreDecDeg, halfDiagonalDeg(width, height, s.corrDec)))
        return {};
    return path + " was fetched around " + positionText(area->raDeg, area->decDeg) + " (radius " +
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

// A value for the JSON output, to the decimals the text output shows.
double rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

int run(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const auto& a : args)
        if (a == "--help" || a == "-h") {
            std::cout << kHelp;
            return 0;
        }
    const Command c = parseCommand(args);
    const Hints hints = hintsOf(c);
    const LoadedImage loaded = loadImage(c.image);
    const LuminanceImage& image = loaded.image;
    // Qt's network and the program folder need a program object; a solve
    // from a file does not.
    std::optional<QCoreApplication> program;
    if (c.download || c.measure.wantsReport()) program.emplace(argc, argv);
    std::string bytes;
    // The catalogue's name for the reports: the service's, else that of the
    // layout the answers share, USNO-A2's.
    std::string protocol = "vizier";
    if (c.download) {
        std::tie(bytes, protocol) = downloadAnswer(c, hints, image.width, image.height, programFolder());
    } else {
        if (!std::filesystem::is_regular_file(c.catalogue)) throw BadInput("no such catalogue file: " + c.catalogue);
        Result<std::string> read = readFileBytes(c.catalogue);
        if (!read) throw BadInput(describe(read.error()));
        bytes = std::move(*read);
        if (const auto area = areaBeside(c.catalogue, bytes); area && *area)
            protocol = (*area)->service.substr(0, (*area)->service.find(':'));
    }
    const std::vector<ReferenceStar> catalogue =
        catalogueStars(bytes, c.download ? "the download" : c.catalogue, hints);
    // A download is fetched for the centre given; only a file may be another field's.
    const std::string warning = c.download ? "" : areaWarning(c.catalogue, bytes, hints, image.width, image.height);
    if (!warning.empty()) std::cerr << "sextrix-solve: warning: " << warning << "\n";

    const std::vector<DetectedStar> detected = detectStars(image);
    const SolveOutcome outcome =
        c.picks ? solveFieldWithPicks(*c.picks, detected, image.width, image.height, catalogue, hints.solve)
                : solveField(detected, image.width, image.height, catalogue, hints.solve);
    if (!outcome.solved) {
        if (c.json) {
            nlohmann::ordered_json result{{"solved", false}, {"reason", outcome.reason}};
            result["detected"] = detected.size();
            result["searches"] = outcome.searches;
            result["proofs"] = outcome.proofs;
            if (!warning.empty()) result["catalogue_warning"] = warning;
            std::cout << result.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
        }
        std::cerr << "sextrix-solve: no solution: " << outcome.reason << "\n";
        return 1;
    }

    const TanSolution& s = outcome.solution;
    writeFileBytes(c.wcs, wcsHeaderText(s, {image.width, image.height, loaded.rows}));
    const SkyDirection centre = tanPixelToSky(s, (image.width - 1) / 2.0, (image.height - 1) / 2.0);
    const double scale = tanScaleArcsecPerPixel(s);
    const Orientation o = orientationOf(s);
    const int matched = outcome.refinement.used;
    MeasureResult measured;
    if (!c.measure.pixels.empty()) {
        const std::string settings = !c.measure.observerConfig.empty() ? c.measure.observerConfig
                                     : program                         ? joinPath(programFolder(), "observer.cfg")
                                                                       : std::string();
        measured = measureAndReport(
            c.measure, {image, c.image, loaded.fitsKeywords ? &*loaded.fitsKeywords : nullptr, outcome, catalogue,
                        detected, catalogueOfProtocol(protocol).value_or(Catalogue::UsnoA2), settings});
    }
    if (c.json) {
        nlohmann::ordered_json result{{"solved", true}};
        result["ra_deg"] = rounded(centre.raDeg, 7);
        result["dec_deg"] = rounded(centre.decDeg, 7);
        result["ra"] = sexagesimal(centre.raDeg / 15, 2, false);
        result["dec"] = sexagesimal(centre.decDeg, 1, true);
        result["scale_arcsec_per_px"] = rounded(scale, 5);
        result["rotation_deg"] = rounded(o.upPositionAngleDeg, 3);
        result["mirrored"] = o.mirrored;
        result["matches"] = matched;
        result["rejected"] = outcome.refinement.rejected;
        result["rms_px"] = rounded(outcome.rmsPx, 4);
        result["rms_arcsec"] = rounded(outcome.refinement.rmsArcsec, 4);
        result["sip_order"] = outcome.refinement.sipOrder;
        result["check_stars"] = outcome.proofPredicted;
        result["check_stars_found"] = outcome.proofMatches;
        result["log10_false_alarm"] = rounded(outcome.log10FalseAlarm, 1);
        result["detected"] = detected.size();
        result["searches"] = outcome.searches;
        result["proofs"] = outcome.proofs;
        result["wcs"] = c.wcs;
        if (!warning.empty()) result["catalogue_warning"] = warning;
        if (!c.measure.pixels.empty()) result["measurements"] = measured.measurements;
        if (!measured.refusal.empty()) result["report_error"] = measured.refusal;
        // Paths and service texts need not be UTF-8: a bad byte is replaced, not thrown on.
        std::cout << result.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
        if (!measured.refusal.empty()) std::cerr << "sextrix-solve: " << measured.refusal << "\n";
        return measured.refusal.empty() ? 0 : 2;
    }
    std::printf("centre    RA %s  Dec %s  (J2000.0; %.6f %+.6f deg)\n",
                sexagesimal(centre.raDeg / 15, 2, false).c_str(), sexagesimal(centre.decDeg, 1, true).c_str(),
                centre.raDeg, centre.decDeg);
    std::printf("scale     %.4f\"/px\n", scale);
    std::printf("rotation  up at %.2f deg east of north\n", o.upPositionAngleDeg);
    std::printf("parity    %s\n",
                o.mirrored ? "mirrored (east right with north up)" : "normal (east left with north up)");
    std::printf("matches   %d stars (%d rejected), %zu detected\n", matched, outcome.refinement.rejected,
                detected.size());
    std::printf("rms       %.3f px (%.3f\")\n", outcome.rmsPx, outcome.refinement.rmsArcsec);
    std::printf("check     %d of %d held-back catalogue stars where predicted (chance of a wrong solution 1e%.1f)\n",
                outcome.proofMatches, outcome.proofPredicted, outcome.log10FalseAlarm);
    std::printf("wcs       %s\n", c.wcs.c_str());
    for (const std::string& line : measured.lines) std::printf("%s\n", line.c_str());
    if (!measured.refusal.empty()) {
        std::cerr << "sextrix-solve: " << measured.refusal << "\n";
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const BadInput& e) {
        std::cerr << "sextrix-solve: " << e.what() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "sextrix-solve: " << e.what() << "\n";
    }
    return 2;
}

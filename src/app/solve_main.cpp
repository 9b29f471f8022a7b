// sextrix-solve: identifies star fields from the command line, with no
// window: for each image detects the stars, picks five, searches the
// catalogue for them, judges and refines the solution, prints it and writes
// the .wcs sidecar. Several images are solved on several threads against
// one catalogue read once (solve_frame.h), printed in the order given.
// Images are JPEG, PNG, BMP (Qt decodes them, no program object needed) or
// FITS (cfitsio, raw values).
// Exit status: 0 all solved, 1 one not solved, 2 bad input (the worst wins).
#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "autosolve/solve_field.h"
#include "blind/blind_solve.h"
#include "catalog/answer_fetch.h"
#include "catalog/catalogue_area.h"
#include "catalog/download_protocols.h"
#include "catalog/download_queries.h"
#include "catalog/hosts_file.h"
#include "catalog/service_text.h"
#include "catalog/star_list_reader.h"
#include "geometry/angles.h"
#include "geometry/centre.h"
#include "localcat/local_catalogue.h"
#include "localcat/local_star_answer.h"
#include "obstime/utc_time.h"
#include "persist/wcs_header.h"
#include "qtio/qt_http.h"
#include "qtio/qt_program_folders.h"
#include "report/observer_settings.h"
#include "solve_frame.h"
#include "solve_measurements.h"
#include "solve_moving.h"
#include "solve_stack.h"
#include "state/angle_units.h"
#include "state/errors.h"
#include "state/ordered_jobs.h"
#include "state/text_file.h"
#include "state/text_number.h"

namespace {

using namespace sextrix;

constexpr const char* kHelp = R"(Usage: sextrix-solve IMAGE... --ra "HH MM SS" --dec "+DD MM SS"
                     (--scale ARCSEC_PER_PIXEL | --corr CORR_ASD CORR_DEC) [options]
       sextrix-solve IMAGE... --blind --catalogue LOCAL.vsx [--scale-range LO HI] [options]

Identifies the stars of each IMAGE (JPEG, PNG, BMP, FITS) against a star
catalogue answer, prints where the image points and writes a WCS sidecar.
Several images (a night's frames of one field) share the hints and the
catalogue, and are solved on several threads; each is printed in the order
given, one failing never stops the others.

Hints (required unless --blind):
  --ra "HH MM SS"        approximate centre, right ascension (fields separated
                         by spaces or colons; seconds may have decimals;
                         below 24 h, minutes and seconds below 60, no sign)
  --dec "+DD MM SS"      approximate centre, declination, signed (within 90
                         degrees, minutes and seconds below 60)
  --scale ARCSEC         image scale in arcseconds per pixel (0.001..3600), or
  --corr ASD DEC         the scale factors of the main window: pixels per
                         degree of right ascension (at the centre) and of
                         declination (either sign, size 0.001..3600000)

Solving with no hint:
  --blind                find where the image points and its scale from the
                         local catalogue's index alone (made by
                         sextrix-catalog import and index); no hint is taken
  --scale-range LO HI    the scales to try, "/px (1 10)
  --index FILE           the index (the catalogue's name with the extension
                         .index)

Options:
  --epoch YEAR           epoch of the centre, precessed to J2000.0 (2000.0;
                         1000..3000)
  --radius ARCMIN        catalogue search radius for --download (the image's
                         half-diagonal, plus half of it for an uncertain
                         centre; 0.01..5400)
  --mag LIMIT            faintest magnitude for --download (13; -2..30)
  --tolerance PIXELS     how far each side of the picked figure may differ
                         from the catalogue's (7; 0.01..1000)
  --catalogue FILE       a local catalogue made by sextrix-catalog, or a star
                         catalogue answer in the layout of data.txt;
                         when the area it was fetched for is kept beside it
                         (its name with the extension .area: data.area beside
                         data.txt), a centre that left it is warned of on
                         stderr (and as "catalogue_warning" with --json)
  --download             fetch the answer from the star service of hosts.cfg
                         (the window's: beside a portable copy, else in
                         ~/.local/share/velorin-sextrix; the defaults
                         without one); fetched once for all the images, its
                         radius that of the first image that can be read
  --mirrored             the optics mirror the image (a solution of the other
                         parity then needs a stronger case, and the reverse)
  --picks "x,y x,y x,y x,y x,y"
                         the five stars to identify, in pixels (x right,
                         y down from the top-left pixel's centre, a FITS
                         image shown with its row 1 at the bottom); chosen
                         among the brightest detected stars when left out
                         (the same pixels in every image)
  --wcs FILE             where to write the WCS sidecar (IMAGE with the
                         extension .wcs); for a FITS image its pixels are
                         numbered as the file numbers them; one image only
                         (several each get their own .wcs)
  --jobs N               images solved at once (the machine's hardware
                         threads; 1..256; 1 solves them in turn)
  --json                 print the result as one JSON object a line, one
                         per image, with the image's path as "image"
  --moving               once every image is solved, look for the objects
                         that move across the frames (3 or more with a time
                         from their FITS header or EXIF, at 0.1-60"/min) and
                         measure each on every frame; with --json one more
                         line, {"moving": [...]}
  --stack FILE           once every image is solved, stack them on the first
                         one's pixel grid and write FILE (16-bit FITS, with
                         DATE-AVG when the frames have times) and its .wcs
  --stack-method M       mean (the default), median or clipped (a mean
                         without the values beyond 3 sigma)
  --stack-rate RA,DEC    stack along a motion instead of the stars, in "/min
                         (RA times cos Dec, Dec): an object moving so is a
                         point at the stack's mid-time; every frame needs a time
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
  Measuring takes one image: with several, --measure is exit 2, and so are
  --mpc and --ades without --moving. With --moving they report every object
  found on every frame it was measured on, named in the order listed by
  --designation A,B,... (one name per object, else exit 2, no file written).

Output: the centre of the image (J2000.0), the scale, the position angle of
the image's up direction (east of north), the parity, the number of detected
stars matched and the RMS residual of the refined solution, and how many of
the catalogue stars held back from the search lie where the solution puts
them, with the chance that a wrong solution would have done as well. With
several images, each plain block begins with an "image" line naming it, and
an image that is not solved or cannot be read says why in its own block or
JSON object ("reason" when not solved, "error" when not read).

Exit status: 0 every image solved, 1 an image not solved (the reason on
stderr), 2 bad input: a missing or unreadable image or catalogue, an option
that is not a number or lies outside its range, named on stderr; a catalogue
without stars. With several images the worst counts: 2 when any image cannot
be read, else 1 when any is not solved.
)";

struct Command {
    std::vector<std::string> images;
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
    bool moving = false;
    bool blind = false;
    double scaleLow = 1, scaleHigh = 10;  // --scale-range, "/px, for --blind
    std::string index;                    // --index; empty: the catalogue's
    StackRequest stack;
    int jobs = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
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
    kToleranceRange{0.01, 1000}, kJobsRange{1, 256};

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
        else if (a == "--blind")
            c.blind = true;
        else if (a == "--scale-range") {
            c.scaleLow = number(value(i), a, kScaleRange);
            c.scaleHigh = number(value(i), a, kScaleRange);
            if (!(c.scaleLow < c.scaleHigh)) throw BadInput("--scale-range takes the lower scale first");
        } else if (a == "--index")
            c.index = value(i);
        else if (a == "--moving")
            c.moving = true;
        else if (a == "--stack")
            c.stack.path = value(i);
        else if (a == "--stack-method") {
            const auto method = stackMethodNamed(value(i));
            if (!method) throw BadInput("--stack-method takes mean, median or clipped, not " + args[i]);
            c.stack.method = *method;
        } else if (a == "--stack-rate") {
            const std::string& pair = value(i);
            const auto comma = pair.find(',');
            if (comma == std::string::npos) throw BadInput("--stack-rate takes RA,DEC in \"/min, not " + pair);
            c.stack.rate = SkyRate{number(pair.substr(0, comma), a), number(pair.substr(comma + 1), a)};
        } else if (a == "--jobs") {
            const double jobs = number(value(i), a, kJobsRange);
            if (jobs != std::floor(jobs)) throw BadInput("--jobs takes a whole number, not " + args[i]);
            c.jobs = static_cast<int>(jobs);
        } else if (a == "--measure") {
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
        else
            c.images.push_back(a);
    }
    if (c.images.empty()) throw BadInput("no image given (see --help)");
    if (c.blind) {
        if (!c.ra.empty() || !c.dec.empty() || c.scale || c.corr || c.download || c.picks)
            throw BadInput("--blind takes no hint: leave out --ra, --dec, --scale, --corr, --download and --picks");
        if (c.catalogue.empty()) throw BadInput("--blind needs --catalogue, a local catalogue with its index");
    } else {
        if (c.ra.empty() || c.dec.empty()) throw BadInput("--ra and --dec are required");
        if (c.scale.has_value() == c.corr.has_value()) throw BadInput("give either --scale or --corr");
        if (c.catalogue.empty() == !c.download) throw BadInput("give either --catalogue FILE or --download");
    }
    if (c.images.size() > 1) {
        // One file or one target cannot serve several images.
        if (!c.wcs.empty()) throw BadInput("--wcs names one file: leave it out for several images (each gets its own)");
        if (!c.measure.pixels.empty() || (c.measure.wantsReport() && !c.moving))
            throw BadInput("--measure takes one image, and so do --mpc and --ades without --moving");
    }
    c.measure.moving = c.moving;
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

// Where the window keeps hosts.cfg: beside a portable copy, else the user's
// data folder.
std::string programFolder() {
    return qtio::programFoldersFor(QCoreApplication::applicationDirPath().toStdString()).programFolder;
}

// The cone of the star answer: the hints' centre, 1.5 times the image's half
// diagonal (or --radius), to --mag.
StarQuery starQueryOf(const Command& c, const Hints& h, int width, int height) {
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
    return q;
}

// The epoch the local catalogue's proper motions carry its stars to: that of
// --time, when given.
std::optional<double> observationEpoch(const Command& c) {
    const auto time = parseIsoTime(c.measure.timeText);
    if (!time) return std::nullopt;
    return 2000 + (mjdOf(*time) - 51544.5) / 365.25;
}

// The star answer from a local catalogue, and the protocol whose answers
// are of the same catalogue (empty for Tycho-2).
std::pair<std::string, std::string> localAnswer(const std::string& path, const StarQuery& q, const Command& c) {
    const AnswerOutcome answer = localStarAnswer(path, q, observationEpoch(c));
    if (!answer) throw BadInput(describe(answer.error()));
    return {answer->bytes, localProtocolEquivalent(path)};
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
    const StarQuery q = starQueryOf(c, h, width, height);
    if (hosts.star.protocol == kLocalProtocol) return localAnswer(hosts.star.address, q, c);
    const Protocol<StarQuery>* protocol = findProtocol(starProtocols(), hosts.star.protocol);
    if (!protocol) throw BadInput("unknown star protocol \"" + hosts.star.protocol + "\" in " + hostsPath);

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

// The catalogue every image is solved against, read once: from the file, or
// downloaded before any image is solved. All images share the hints, so one
// answer serves them all; its radius is that of the first image that can be
// read (a series' frames are alike). The protocol names the catalogue in
// the reports: the service's, else that of the layout the answers share,
// USNO-A2's.
void readCatalogue(const Command& c, const Hints& hints, SharedSolve& shared) {
    std::string protocol = "vizier";
    if (c.download) {
        if (const std::optional<ImageSize> size = firstImageSize(c.images)) {
            std::string bytes;
            std::tie(bytes, protocol) = downloadAnswer(c, hints, size->width, size->height, programFolder());
            shared.catalogue = catalogueStars(bytes, "the download", hints);
        }
    } else if (LocalCatalogue::open(c.catalogue)) {
        // A local catalogue: the cone of the first image, as a download would ask.
        if (const std::optional<ImageSize> size = firstImageSize(c.images)) {
            std::string bytes;
            std::tie(bytes, protocol) = localAnswer(c.catalogue, starQueryOf(c, hints, size->width, size->height), c);
            shared.catalogue = catalogueStars(bytes, c.catalogue, hints);
        }
    } else {
        if (!std::filesystem::is_regular_file(c.catalogue)) throw BadInput("no such catalogue file: " + c.catalogue);
        Result<std::string> read = readFileBytes(c.catalogue);
        if (!read) throw BadInput(describe(read.error()));
        shared.catalogue = catalogueStars(*read, c.catalogue, hints);
        // A download is fetched for the centre given; only a file may be another field's.
        shared.cataloguePath = c.catalogue;
        const Result<std::optional<CatalogueArea>> area = areaBeside(c.catalogue, *read);
        if (!area) {
            shared.areaProblem = describe(area.error());
        } else if (*area) {
            shared.area = **area;
            protocol = shared.area->service.substr(0, shared.area->service.find(':'));
        }
    }
    const std::optional<Catalogue> named = catalogueOfProtocol(protocol);
    if (!named && (c.measure.wantsReport()))
        throw BadInput("a report needs a star answer from USNO-A2.0, UCAC4 or Gaia DR3, not " + c.catalogue);
    shared.catalogueName = named.value_or(Catalogue::UsnoA2);
}

int run(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const auto& a : args)
        if (a == "--help" || a == "-h") {
            std::cout << kHelp;
            return 0;
        }
    const Command c = parseCommand(args);
    const Hints hints = c.blind ? Hints{} : hintsOf(c);
    // Qt's network and the program folder need a program object; a solve
    // from a file does not.
    std::optional<QCoreApplication> program;
    if (c.download || c.measure.wantsReport() || c.moving) program.emplace(argc, argv);
    SharedSolve shared;
    shared.hints = hints.solve;
    shared.picks = c.picks;
    shared.measure = c.measure;
    shared.json = c.json;
    shared.several = c.images.size() > 1;
    shared.keepFrames = c.moving || !c.stack.path.empty();
    if (c.moving)
        shared.cameraUtcOffsetHours = cameraUtcOffsetSetting(
            !c.measure.observerConfig.empty() ? c.measure.observerConfig : joinPath(programFolder(), "observer.cfg"));
    std::optional<BlindSolver> blind;
    if (c.blind) {
        BlindSettings settings;
        settings.minArcsecPerPx = c.scaleLow, settings.maxArcsecPerPx = c.scaleHigh;
        blind.emplace(c.catalogue, c.index.empty() ? blindIndexPathOf(c.catalogue) : c.index, settings, c.magLimit);
        shared.blind = &*blind;
        if (const std::string protocol = localProtocolEquivalent(c.catalogue); catalogueOfProtocol(protocol))
            shared.catalogueName = *catalogueOfProtocol(protocol);
        else if (c.measure.wantsReport())
            throw BadInput("a report needs a star answer from USNO-A2.0, UCAC4 or Gaia DR3, not " + c.catalogue);
    } else {
        readCatalogue(c, hints, shared);
    }
    if (!c.measure.pixels.empty() || (c.moving && c.measure.wantsReport()))
        shared.observerConfig = !c.measure.observerConfig.empty() ? c.measure.observerConfig
                                : program                         ? joinPath(programFolder(), "observer.cfg")
                                                                  : std::string();

    // The worst status of the images: 2 for any that cannot be read, else 1
    // for any not solved.
    int status = 0, blocks = 0;
    std::vector<KeptFrame> kept;
    std::string warned;
    runInOrder(
        static_cast<int>(c.images.size()), c.jobs,
        [&](int i) {
            const std::string& image = c.images[static_cast<std::size_t>(i)];
            return solveFrame(image, c.wcs.empty() ? wcsSidecarPath(image) : c.wcs, shared);
        },
        [&](FrameReport frame) {
            // Images of one size get the same warning: it is said once.
            if (!frame.warning.empty() && frame.warning != warned)
                std::cerr << "sextrix-solve: warning: " << frame.warning << "\n";
            if (!frame.warning.empty()) warned = frame.warning;
            // Plain blocks of several images, a blank line apart.
            if (shared.several && !c.json && blocks++ > 0) std::cout << "\n";
            std::cout << frame.out << std::flush;
            std::cerr << frame.err;
            status = std::max(status, frame.status);
            if (frame.kept) kept.push_back(std::move(*frame.kept));
        });
    if (c.moving) {
        const MovingReport moving = reportMovingObjects(kept, shared, c.json);
        if (!c.json) std::cout << "\n";
        std::cout << moving.out;
        std::cerr << moving.err;
        if (!moving.refusal.empty()) {
            std::cerr << "sextrix-solve: " << moving.refusal << "\n";
            status = 2;
        }
    }
    if (!c.stack.path.empty()) std::cout << (c.json ? "" : "\n") << writeStackOf(std::move(kept), c.stack, c.json);
    return status;
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

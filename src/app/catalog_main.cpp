// sextrix-catalog: makes and reads the local star catalogue (localcat/):
// import the star files people download into one, tell what one holds, and
// list the stars of a cone.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "blind/blind_index.h"
#include "localcat/catalogue_writer.h"
#include "localcat/local_catalogue.h"
#include "localcat/star_import.h"
#include "state/errors.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr const char* kHelp = R"(sextrix-catalog: the local star catalogue, read with no network

  sextrix-catalog import CATALOGUE FILE...
      makes CATALOGUE from the star files downloaded from one catalogue:
      VizieR tab-separated answers (USNO-A2.0 I/252/out, UCAC4 I/322A/out,
      Gaia DR3 I/355/gaiadr3, Tycho-2 I/259/tyc2), Gaia archive CSV, or FITS
      binary tables. The files are read row by row with a progress line on
      stderr and memory bounded whatever their size; a bad or truncated file
      is named with its line, and CATALOGUE is left as it was.
  sextrix-catalog info CATALOGUE
      the source catalogue, the epoch of its positions, its stars, tiles and size
  sextrix-catalog index CATALOGUE [--scale-range LO HI] [--size WIDTH HEIGHT]
      builds the index for solving with no hint (sextrix-solve --blind) of
      frames of WIDTH x HEIGHT pixels (1000 x 800) at LO to HI "/px (1 to
      10), written beside CATALOGUE with the extension .index; prints the
      time it took, its size and the quad sizes it covers
  sextrix-catalog cone CATALOGUE RA DEC RADIUS [--mag M] [--epoch YEAR]
      the stars within RADIUS degrees of RA, DEC (J2000.0 degrees) to
      magnitude M (16) in the R-like band, brightest first; positions moved
      by their proper motions to YEAR (for example 2026.9) when given

Exit status: 0 done, 2 bad input (named on stderr).
)";

struct BadInput : std::runtime_error {
    using std::runtime_error::runtime_error;
};

double numberArgument(const std::string& text, const char* what) {
    const std::optional<double> value = tryParseStrictNumber(text, '.');
    if (!value) throw BadInput(std::string(what) + " is not a number: \"" + text + "\"");
    return *value;
}

LocalCatalogue opened(const std::string& path) {
    Result<LocalCatalogue> catalogue = LocalCatalogue::open(path);
    if (!catalogue) throw BadInput(describe(catalogue.error()));
    return std::move(*catalogue);
}

std::string magText(const std::optional<double>& mag) {
    if (!mag) return "     -";
    char text[16];
    std::snprintf(text, sizeof text, "%6.3f", *mag);
    return text;
}

int info(const std::vector<std::string>& args) {
    if (args.size() != 1) throw BadInput("info takes one catalogue");
    const LocalCatalogue catalogue = opened(args[0]);
    const CatalogueHeader& h = catalogue.header();
    std::printf(
        "catalogue %s\nsource    %s\nepoch     J%.1f\nstars     %llu\ntiles     %llu (HEALPix order %d, nested)\n"
        "size      %.1f MB\n",
        args[0].c_str(), std::string(localSourceName(h.source)).c_str(), h.epoch,
        static_cast<unsigned long long>(h.stars), static_cast<unsigned long long>(tileCountOf(h.order)), h.order,
        catalogue.fileBytes() / 1e6);
    return 0;
}

int cone(const std::vector<std::string>& args) {
    if (args.size() < 4) throw BadInput("cone takes a catalogue, RA, Dec and a radius");
    const LocalCatalogue catalogue = opened(args[0]);
    const double ra = numberArgument(args[1], "RA"), dec = numberArgument(args[2], "Dec");
    const double radius = numberArgument(args[3], "the radius");
    if (!(ra >= 0 && ra < 360) || !(std::abs(dec) <= 90))
        throw BadInput("RA lies in 0..360 and Dec in -90..90 degrees");
    if (!(radius > 0 && radius <= 30)) throw BadInput("the radius lies between 0 and 30 degrees");
    double mag = 16;
    std::optional<double> epoch;
    for (std::size_t i = 4; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) throw BadInput(args[i] + " needs a value");
        if (args[i] == "--mag")
            mag = numberArgument(args[i + 1], "--mag");
        else if (args[i] == "--epoch")
            epoch = numberArgument(args[i + 1], "--epoch");
        else
            throw BadInput("unknown option " + args[i]);
    }
    ConeStats stats;
    const auto start = std::chrono::steady_clock::now();
    const std::vector<LocalStar> stars = catalogue.cone(ra, dec, radius, mag, epoch, &stats);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const LocalSource source = catalogue.header().source;
    for (const LocalStar& s : stars)
        std::printf("%-20s %11.7f %+11.7f %s %s\n", localIdText(source, s.id).c_str(), s.raDeg, s.decDeg,
                    magText(s.magR).c_str(), magText(s.magB).c_str());
    std::fprintf(stderr, "%zu stars from %zu tiles, %.1f KB read, %.2f ms\n", stars.size(), stats.tiles,
                 stats.bytesRead / 1024.0, ms);
    return 0;
}

int index(const std::vector<std::string>& args) {
    if (args.empty()) throw BadInput("index takes a catalogue");
    const LocalCatalogue catalogue = opened(args[0]);
    double low = 1, high = 10, width = 1000, height = 800;
    for (std::size_t i = 1; i < args.size(); i += 3) {
        if (i + 2 >= args.size()) throw BadInput(args[i] + " needs two values");
        const double a = numberArgument(args[i + 1], args[i].c_str()), b = numberArgument(args[i + 2], args[i].c_str());
        if (args[i] == "--scale-range")
            low = a, high = b;
        else if (args[i] == "--size")
            width = a, height = b;
        else
            throw BadInput("unknown option " + args[i]);
    }
    if (!(low > 0 && low < high && high <= 3600)) throw BadInput("--scale-range takes 0 < LO < HI <= 3600 \"/px");
    if (!(width >= 16 && height >= 16 && width <= 100000 && height <= 100000)) throw BadInput("--size is out of range");
    // Quads from a fifth of the short side at the finest scale to four
    // fifths of the long side at the coarsest.
    const double minQuad = 0.2 * std::min(width, height) * low / 3600;
    const double maxQuad = 0.8 * std::max(width, height) * high / 3600;
    const auto start = std::chrono::steady_clock::now();
    int shown = -1;
    const BlindIndex built = BlindIndex::build(catalogue, indexBands(minQuad, maxQuad), [&](double fraction) {
        const int percent = static_cast<int>(fraction * 100);
        if (percent != shown) std::fprintf(stderr, "\rindex: %d %%", shown = percent);
    });
    std::fprintf(stderr, "\n");
    const std::string path = blindIndexPathOf(args[0]);
    built.save(path);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "index     %s\nfor       frames of %.0f x %.0f at %g to %g \"/px\nquads     %llu, from %.3f to %.3f degrees\n",
        path.c_str(), width, height, low, high, static_cast<unsigned long long>(built.quadCount()), minQuad,
        built.band(static_cast<int>(built.bandCount()) - 1).maxQuadDeg);
    for (std::size_t b = 0; b < built.bandCount(); ++b) {
        const IndexBand& band = built.band(static_cast<int>(b));
        std::printf("  %.3f-%.3f deg: %zu stars, %zu quads\n", band.minQuadDeg, band.maxQuadDeg,
                    built.stars(static_cast<int>(b)).size(), built.quads(static_cast<int>(b)).size());
    }
    std::printf("size      %.1f MB\nbuilt in  %.1f s\n", std::filesystem::file_size(path) / 1e6, seconds);
    return 0;
}

int import(const std::vector<std::string>& args) {
    if (args.size() < 2) throw BadInput("import takes the catalogue to make and the files to read");
    LocalCatalogueWriter writer(args[0]);
    std::optional<LocalSource> source;
    for (std::size_t f = 1; f < args.size(); ++f) {
        const std::string& file = args[f];
        int shown = -1;
        const Result<ImportedFile> read = importStars(
            file, [&](const LocalStar& star) { writer.add(star); },
            [&](double fraction) {
                const int percent = static_cast<int>(fraction * 100);
                if (percent != shown) std::fprintf(stderr, "\r%s: %d %%", file.c_str(), shown = percent);
            });
        if (shown >= 0) std::fprintf(stderr, "\n");
        if (!read) throw BadInput(describe(read.error()));
        if (source && *source != read->source)
            throw BadInput(file + " is of " + std::string(localSourceName(read->source)) + ", the files before of " +
                           std::string(localSourceName(*source)) + ": one catalogue at a time");
        source = read->source;
        std::fprintf(stderr, "%s: %llu stars of %s\n", file.c_str(), static_cast<unsigned long long>(read->stars),
                     std::string(localSourceName(read->source)).c_str());
    }
    if (writer.stars() == 0) throw BadInput("no star in the files given");
    writer.finish(*source);
    return info({args[0]});
}

int run(const std::vector<std::string>& args) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << kHelp;
        return args.empty() ? 2 : 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "info") return info(rest);
    if (args[0] == "cone") return cone(rest);
    if (args[0] == "import") return import(rest);
    if (args[0] == "index") return index(rest);
    throw BadInput("unknown command " + args[0] + " (see --help)");
}

}  // namespace
}  // namespace sextrix

int main(int argc, char** argv) {
    try {
        return sextrix::run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << "sextrix-catalog: " << e.what() << "\n";
    }
    return 2;
}

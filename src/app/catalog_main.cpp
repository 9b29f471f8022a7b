// sextrix-catalog: makes and reads the local star catalogue (localcat/):
// import the star files people download into one, or fetch a region's stars
// from VizieR into one, tell what one holds, and list the stars of a cone.
// Qt is used by the fetch alone, for HTTP and the program folder.
#include <QCoreApplication>
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
#include "catalog/hosts_file.h"
#include "localcat/catalogue_writer.h"
#include "localcat/local_catalogue.h"
#include "localcat/star_fetch.h"
#include "localcat/star_import.h"
#include "qtio/qt_http.h"
#include "qtio/qt_program_folders.h"
#include "state/errors.h"
#include "state/text_file.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr const char* kHelp = R"(sextrix-catalog: the local star catalogue, made from star files or fetched
from VizieR, then read with no network

  sextrix-catalog import CATALOGUE FILE...
      makes CATALOGUE from the star files downloaded from one catalogue:
      VizieR tab-separated answers (USNO-A2.0 I/252/out, UCAC4 I/322A/out,
      Gaia DR3 I/355/gaiadr3, Tycho-2 I/259/tyc2), Gaia archive CSV, or FITS
      binary tables. The files are read row by row with a progress line on
      stderr and memory bounded whatever their size; a bad or truncated file
      is named with its line, and CATALOGUE is left as it was.
  sextrix-catalog fetch CATALOGUE (--region RA DEC RADIUS | --all) --mag M [--hosts FILE]
      makes CATALOGUE from the stars within RADIUS degrees of RA, DEC (J2000.0
      degrees), or of the whole sky, to magnitude M, fetched from the star
      service of hosts.cfg (the program folder's, or FILE): vizier
      (USNO-A2.0), vizier-ucac4 or vizier-gaia (Gaia DR3). The sky is asked
      in HEALPix tiles, each answer kept in CATALOGUE.fetch/ once it is read
      whole ("tile k of n" on stderr); after a failure or Ctrl-C the same
      command fetches only the tiles missing. CATALOGUE is then written as
      import writes it, and the folder removed.
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

Exit status: 0 done, 2 bad input or a failed fetch (named on stderr).
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
    if (built.bandCount() == 0)
        throw BadInput("the catalogue is too sparse for these frames: fewer than three stars a cell in every band");
    const std::string path = blindIndexPathOf(args[0]);
    built.save(path);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "index     %s\nfor       frames of %.0f x %.0f at %g to %g \"/px\nquads     %llu, from %.3f to %.3f degrees\n",
        path.c_str(), width, height, low, high, static_cast<unsigned long long>(built.quadCount()),
        built.band(0).minQuadDeg, built.band(static_cast<int>(built.bandCount()) - 1).maxQuadDeg);
    for (std::size_t b = 0; b < built.bandCount(); ++b) {
        const IndexBand& band = built.band(static_cast<int>(b));
        std::printf("  %.3f-%.3f deg: %u stars, %llu quads\n", band.minQuadDeg, band.maxQuadDeg,
                    built.starCount(static_cast<int>(b)),
                    static_cast<unsigned long long>(built.quadCount(static_cast<int>(b))));
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

// The star service of hosts.cfg: FILE when given, else the program
// folder's, as sextrix-solve finds it (its defaults when there is none).
ServiceAddress starService(const std::optional<std::string>& given) {
    const std::string path =
        given ? *given
              : joinPath(qtio::programFoldersFor(QCoreApplication::applicationDirPath().toStdString()).programFolder,
                         "hosts.cfg");
    if (!given && !std::filesystem::is_regular_file(path)) return HostsSettings{}.star;
    Result<std::string> text = readFileBytes(path);
    if (!text) throw BadInput(describe(text.error()));
    const HostsReading reading = readHostsFile(*text, path);
    for (const HostsProblem& p : reading.problems) std::cerr << describe(p.error) << "\n";
    return reading.settings.star;
}

VizierCatalogue vizierCatalogueOf(const ServiceAddress& service) {
    if (service.protocol == "vizier") return VizierCatalogue::UsnoA2;
    if (service.protocol == "vizier-ucac4") return VizierCatalogue::Ucac4;
    if (service.protocol == "vizier-gaia") return VizierCatalogue::GaiaDr3;
    throw BadInput("the star service is " + service.protocol + ":" + service.address +
                   "; fetch asks VizieR only (star=vizier, vizier-ucac4 or vizier-gaia in hosts.cfg)" +
                   (service.protocol == "local" ? ": that catalogue is local already" : ""));
}

int fetch(const std::vector<std::string>& args, int& argc, char** argv) {
    if (args.empty()) throw BadInput("fetch takes the catalogue to make, --region RA DEC RADIUS or --all, and --mag M");
    FetchRequest request;
    std::optional<double> mag;
    std::optional<std::string> hosts;
    bool all = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const auto value = [&](std::size_t count) {
            if (i + count >= args.size()) throw BadInput(args[i] + " needs " + std::to_string(count) + " value(s)");
        };
        if (args[i] == "--region") {
            value(3);
            request.region = SkyRegion{numberArgument(args[i + 1], "RA"), numberArgument(args[i + 2], "Dec"),
                                       numberArgument(args[i + 3], "the radius")};
            i += 3;
        } else if (args[i] == "--all") {
            all = true;
        } else if (args[i] == "--mag") {
            value(1);
            mag = numberArgument(args[++i], "--mag");
        } else if (args[i] == "--hosts") {
            value(1);
            hosts = args[++i];
        } else {
            throw BadInput("unknown option " + args[i]);
        }
    }
    if (all == request.region.has_value()) throw BadInput("fetch takes either --region RA DEC RADIUS or --all");
    if (!mag) throw BadInput("fetch needs --mag M, the faintest magnitude");
    if (!(*mag > -2 && *mag <= 22)) throw BadInput("--mag lies between -2 and 22");
    request.magLimit = *mag;
    if (const auto& r = request.region) {
        if (!(r->raDeg >= 0 && r->raDeg < 360) || !(std::abs(r->decDeg) <= 90))
            throw BadInput("RA lies in 0..360 and Dec in -90..90 degrees");
        if (!(r->radiusDeg > 0 && r->radiusDeg <= 90)) throw BadInput("the radius lies between 0 and 90 degrees");
    }

    const QCoreApplication program(argc, argv);
    const ServiceAddress service = starService(hosts);
    request.catalogue = vizierCatalogueOf(service);
    FetchService settings{.address = service.address};
    const int order = fetchOrder(request, settings.rowCap);
    const std::string folder = args[0] + ".fetch";
    prepareFetchFolder(folder, requestRecord(request, order));
    std::fprintf(stderr, "%s from %s, HEALPix order %d, tiles kept in %s\n",
                 std::string(vizierSource(request.catalogue)).c_str(), service.address.c_str(), order, folder.c_str());

    qtio::QtHttp http;
    try {
        const FetchCounts counts = fetchTiles(http, request, order, folder, settings,
                                              [](std::size_t k, std::size_t n, const std::string& tile) {
                                                  std::fprintf(stderr, "tile %zu of %zu (%s)\n", k, n, tile.c_str());
                                              });
        std::fprintf(stderr, "%zu tiles fetched, %zu kept from before, %zu split\n", counts.fetched, counts.kept,
                     counts.split);
    } catch (const FetchStopped& stopped) {
        throw BadInput(std::string(stopped.what()) + "\nthe tiles fetched are kept in " + folder +
                       ": the same command goes on from there");
    }
    LocalCatalogueWriter writer(args[0]);
    const FetchedStars stars = importFetchedTiles(request, order, folder, writer);
    if (stars.stars == 0) {
        std::filesystem::remove_all(folder);
        throw BadInput("no star there to magnitude " + numberToText(request.magLimit, '.') + ": " + args[0] +
                       " not written");
    }
    writer.finish(stars.source);
    std::filesystem::remove_all(folder);
    return info({args[0]});
}

int run(const std::vector<std::string>& args, int& argc, char** argv) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << kHelp;
        return args.empty() ? 2 : 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "info") return info(rest);
    if (args[0] == "cone") return cone(rest);
    if (args[0] == "import") return import(rest);
    if (args[0] == "index") return index(rest);
    if (args[0] == "fetch") return fetch(rest, argc, argv);
    throw BadInput("unknown command " + args[0] + " (see --help)");
}

}  // namespace
}  // namespace sextrix

int main(int argc, char** argv) {
    try {
        return sextrix::run(std::vector<std::string>(argv + 1, argv + argc), argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "sextrix-catalog: " << e.what() << "\n";
    }
    return 2;
}

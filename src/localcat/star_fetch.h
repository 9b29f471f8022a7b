#pragma once
// A catalogue's stars fetched from VizieR for a local catalogue, in a cone of
// the sky or in the whole of it, HEALPix tile by tile (sky_tiles.h): each
// tile is asked as the circle that holds it (vizierCatalogueUrl), and its
// answer, once the import's own reader has taken it whole, is kept in the
// fetch folder as ORDER-TILE.tsv (written under another name and renamed),
// so that a fetch stopped by a failure or by the user goes on where it
// stopped. An answer that fills the row cap (or passes the byte cap) may
// have lost stars: the tile is asked again as its four tiles of the next
// order, and an empty ORDER-TILE.split says so to a later run. The folder's
// "request" file records what was asked; a folder of another request is
// refused. At the end the tiles are read into a LocalCatalogueWriter, each
// keeping only the stars whose tile it is, as the circles overlap.
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalog/vizier_stars.h"
#include "catalogue_writer.h"
#include "local_star.h"
#include "state/http.h"

namespace sextrix {

// A cone of the sky, J2000.0 degrees.
struct SkyRegion {
    double raDeg = 0, decDeg = 0, radiusDeg = 0;
};

struct FetchRequest {
    VizierCatalogue catalogue = VizierCatalogue::GaiaDr3;
    std::optional<SkyRegion> region;  // the whole sky without one
    double magLimit = 16;
};

struct FetchService {
    std::string address;  // as hosts.cfg gives it
    int timeoutSeconds = 30;
    int rowCap = 100'000;  // -out.max of each query
    std::uint64_t maxBytes = std::uint64_t{96} << 20;
};

// One tile of one order; "ORDER-TILE" in the folder.
struct FetchTile {
    int order = 0;
    std::uint32_t tile = 0;
};
std::string tileName(const FetchTile& tile);

// The order of a request's tiles: the first (from 2 on) whose tiles hold on
// average an eighth of the row cap at the magnitude, by the sky's star
// counts; for a region, also the first whose tile circles are no wider than
// it. A tile of a denser field than that is split when its answer fills
// the cap.
int fetchOrder(const FetchRequest& request, int rowCap);

// The tiles a request asks for at its order: those of the region (and a
// few that only come near it), or all of them.
std::vector<FetchTile> requestTiles(const FetchRequest& request, int order);

// What the folder's "request" file holds for the request at that order.
std::string requestRecord(const FetchRequest& request, int order);

// A fetch that cannot go on; what() says why, naming the tile when one is
// the cause.
struct FetchStopped : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Makes the folder and writes the record in it, or checks that the folder's
// record is this one. Throws FetchStopped for a folder of another request
// (or no fetch folder), FileError when it cannot be written.
void prepareFetchFolder(const std::string& folder, const std::string& record);

struct FetchCounts {
    std::size_t fetched = 0, kept = 0, split = 0;  // kept: already in the folder
};

// Fetches the tiles not yet in the folder, in order, calling progress(k, n,
// tile) before each (n grows by four at each split). Throws FetchStopped at
// the first tile that fails, with fetchFailureText's words or the reader's,
// the tiles before it kept.
FetchCounts fetchTiles(Http& http, const FetchRequest& request, int order, const std::string& folder,
                       const FetchService& service,
                       const std::function<void(std::size_t k, std::size_t n, const std::string& tile)>& progress = {});

struct FetchedStars {
    LocalSource source = LocalSource::UsnoA2;
    std::uint64_t stars = 0;  // handed to the writer
};

// Hands the stars of the folder's tiles to the writer, each from the one
// tile that holds it (and within the region). Throws FetchStopped for a
// tile missing or unreadable.
FetchedStars importFetchedTiles(const FetchRequest& request, int order, const std::string& folder,
                                LocalCatalogueWriter& writer);

}  // namespace sextrix

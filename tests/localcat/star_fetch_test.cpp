#include "localcat/star_fetch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "localcat/local_catalogue.h"
#include "support/temp_folder.h"

namespace sextrix {
namespace {

using testing::TempFolder;

double separation(double ra1, double dec1, double ra2, double dec2) {
    const double r = M_PI / 180;
    const double c =
        std::sin(dec1 * r) * std::sin(dec2 * r) + std::cos(dec1 * r) * std::cos(dec2 * r) * std::cos((ra1 - ra2) * r);
    return std::acos(std::min(1.0, c)) / r;
}

// A VizieR stand-in: the Gaia DR3 stars of a 0.01 degree grid around RA 40,
// Dec 20 in each cone asked, at most -out.max of them, as VizieR writes them.
class GridVizier : public Http {
public:
    struct Star {
        double ra, dec;
    };
    std::vector<Star> stars;

    GridVizier() {
        for (int i = -25; i <= 25; ++i)
            for (int j = -25; j <= 25; ++j) stars.push_back({40 + i * 0.01, 20 + j * 0.01});
    }

    HttpResult get(const HttpRequest& request, const BlockSink& onBlock) override {
        std::map<std::string, std::string> q;
        const std::string query = request.url.substr(request.url.find('?') + 1);
        for (std::size_t at = 0; at < query.size();) {
            const std::size_t end = std::min(query.find('&', at), query.size()), eq = query.find('=', at);
            q[query.substr(at, eq - at)] = query.substr(eq + 1, end - eq - 1);
            at = end + 1;
        }
        double ra = 0, dec = 0;
        std::sscanf(q["-c"].c_str(), "%lf%%20%%2B%lf", &ra, &dec);
        const double radius = std::stod(q["-c.rm"]) / 60;
        const std::size_t cap = std::stoul(q["-out.max"]);
        std::string body = "#Name: I/355/gaiadr3\nSource\tRA_ICRS\tDE_ICRS\tRPmag\n\tdeg\tdeg\tmag\n-\t-\t-\t-\n";
        std::size_t rows = 0;
        for (std::size_t k = 0; k < stars.size() && rows < cap; ++k)
            if (separation(ra, dec, stars[k].ra, stars[k].dec) <= radius) {
                body += std::to_string(1000 + k) + "\t" + std::to_string(stars[k].ra) + "\t" +
                        std::to_string(stars[k].dec) + "\t5.5\n";
                ++rows;
            }
        body += "\n#INFO\tmatches=" + std::to_string(rows) + "\tmatching records\n";
        onBlock(body);
        HttpResult result;
        result.status = 200;
        result.bytes = body.size();
        return result;
    }
};

// Tiles whose answers fill the cap are asked again in four: every star of
// the region comes once. (Resuming and a changed request: catalog_fetch_test.py.)
TEST(StarFetch, SplitsFullTilesAndGivesEachStarOnce) {
    const TempFolder temp;
    GridVizier vizier;
    const FetchRequest request{.catalogue = VizierCatalogue::GaiaDr3, .region = SkyRegion{40, 20, 0.2}, .magLimit = 6};
    const FetchService service{.address = "http://vizier.test", .rowCap = 200};
    const int order = fetchOrder(request, service.rowCap);
    const std::string folder = temp.file("fetch");
    prepareFetchFolder(folder, requestRecord(request, order));
    EXPECT_GT(fetchTiles(vizier, request, order, folder, service).split, 0u);

    LocalCatalogueWriter writer(temp.file("grid.vsx"));
    const FetchedStars fetched = importFetchedTiles(request, order, folder, writer);
    writer.finish(fetched.source);
    std::size_t inRegion = 0;
    for (const auto& s : vizier.stars) inRegion += separation(40, 20, s.ra, s.dec) <= 0.2;
    EXPECT_EQ(fetched.stars, inRegion);
    EXPECT_EQ(LocalCatalogue::open(temp.file("grid.vsx"))->cone(40, 20, 1, 20).size(), inRegion);
}

}  // namespace
}  // namespace sextrix

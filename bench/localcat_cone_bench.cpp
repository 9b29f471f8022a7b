// The local catalogue's cone search from a warm file cache: a 1 degree cone
// to magnitude 16 in a patch of sky as dense as the Milky Way's plane in
// Gaia DR3 to G = 16 (about 10 000 stars a square degree) and as the sky's
// average (about 1 500), stars down to magnitude 17 with counts growing by
// 10^0.3 a magnitude. The catalogue is written once, in the system's
// temporary folder, and read by every iteration; it goes when the run ends.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <map>

#include "fieldsim/seeded_random.h"
#include "localcat/catalogue_writer.h"
#include "localcat/local_catalogue.h"

namespace sextrix {
namespace {

constexpr int kTileOrder = kDefaultTileOrder;

// A 16 x 16 degree patch about (280, -10) at this density to magnitude 16.
const LocalCatalogue& catalogueOf(int starsPerSquareDegreeTo16) {
    static std::map<int, LocalCatalogue> made;
    if (const auto it = made.find(starsPerSquareDegreeTo16); it != made.end()) return it->second;
    const std::string path =
        (std::filesystem::temp_directory_path() /
         ("sextrix-cone-" + std::to_string(kTileOrder) + "-" + std::to_string(starsPerSquareDegreeTo16) + ".vsx"))
            .string();
    fieldsim::SeededRandom random(5);
    // Counts to 17 are 10^0.3 times those to 16.
    const auto total = static_cast<long>(256.0 * starsPerSquareDegreeTo16 * std::pow(10, 0.3));
    LocalCatalogueWriter writer(path, {kTileOrder});
    for (long k = 0; k < total; ++k) {
        LocalStar s;
        s.id = k + 1;
        s.raDeg = 272 + 16 * random.uniform();
        s.decDeg = -18 + 16 * random.uniform();
        s.magR = 17 + std::log10(random.uniform()) / 0.3;  // N(<m) grows by 10^0.3 a magnitude
        s.pmRaCosDecMasPerYear = 3, s.pmDecMasPerYear = -2;
        writer.add(s);
    }
    writer.finish(LocalSource::GaiaDr3);
    LocalCatalogue opened = std::move(LocalCatalogue::open(path).value());
    std::filesystem::remove(path);  // read through the open file, gone when the run ends
    return made.emplace(starsPerSquareDegreeTo16, std::move(opened)).first->second;
}

void BM_coneOneDegreeToMag16(benchmark::State& state) {
    const LocalCatalogue& catalogue = catalogueOf(static_cast<int>(state.range(0)));
    std::size_t stars = 0;
    ConeStats stats;
    for (auto _ : state) {
        const std::vector<LocalStar> found = catalogue.cone(280, -10, 1, 16, 2026.9, &stats);
        stars = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["stars"] = static_cast<double>(stars);
    state.counters["tiles"] = static_cast<double>(stats.tiles);
    state.counters["KB_read"] = stats.bytesRead / 1024.0;
    state.counters["file_MB"] = catalogue.fileBytes() / 1e6;
}
BENCHMARK(BM_coneOneDegreeToMag16)->Arg(1500)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sextrix

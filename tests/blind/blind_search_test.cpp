#include "blind/blind_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "fieldsim/seeded_random.h"
#include "fieldsim/sky_projection.h"
#include "localcat/catalogue_writer.h"
#include "state/text_file.h"
#include "support/temp_folder.h"

namespace sextrix {
namespace {

// Random stars over a 24 x 24 degree patch about (150, +20), to magnitude 14.
std::vector<LocalStar> patchStars() {
    fieldsim::SeededRandom random(11);
    std::vector<LocalStar> stars;
    for (int k = 0; k < 60000; ++k) {
        LocalStar s;
        s.id = k + 1;
        s.raDeg = 138 + 24 * random.uniform();
        s.decDeg = 8 + 24 * random.uniform();
        s.magR = 14 + std::log10(random.uniform()) / 0.35;
        stars.push_back(s);
    }
    return stars;
}

// The catalogue stars a field sees, brightest first, at their pixels with
// 0.3 px of scatter, a few the catalogue lacks among them, and `faint` more
// below them all (a rich frame's galaxies and faint stars).
std::vector<PlanePoint> fieldStars(const std::vector<LocalStar>& stars, const fieldsim::FieldSetup& setup,
                                   int faint = 0) {
    fieldsim::SeededRandom random(3);
    std::vector<std::pair<double, PlanePoint>> seen;
    for (const LocalStar& s : stars)
        if (const auto at = fieldsim::skyToImage(setup, s.raDeg, s.decDeg);
            at && at->x >= 0 && at->y >= 0 && at->x < setup.width - 1 && at->y < setup.height - 1)
            seen.push_back({*s.magR, {at->x + 0.3 * random.normal(), at->y + 0.3 * random.normal()}});
    for (int k = 0; k < 8; ++k)
        seen.push_back({9.5 + k * 0.3, {setup.width * random.uniform(), setup.height * random.uniform()}});
    for (int k = 0; k < faint; ++k)
        seen.push_back({20 + random.uniform(), {setup.width * random.uniform(), setup.height * random.uniform()}});
    std::sort(seen.begin(), seen.end(), [](auto& a, auto& b) { return a.first < b.first; });
    std::vector<PlanePoint> points;
    for (const auto& s : seen) points.push_back(s.second);
    return points;
}

// The patch's catalogue and its index, saved in the folder as patch.index;
// the index as built.
BlindIndex savedPatchIndex(const testing::TempFolder& folder, const std::vector<LocalStar>& stars) {
    {
        LocalCatalogueWriter writer(folder.file("patch.vsx"));
        for (const LocalStar& s : stars) writer.add(s);
        writer.finish(LocalSource::Ucac4);
    }
    const LocalCatalogue catalogue = std::move(LocalCatalogue::open(folder.file("patch.vsx")).value());
    BlindIndex built = BlindIndex::build(catalogue, indexBands(0.1, 0.8));
    built.save(folder.file("patch.index"));
    return built;
}

// Fields of 1000 x 800 at 2 to 6"/px, turned and mirrored, found with no hint,
// also among thousands of faint sources; a field outside the catalogue gives
// no candidate, nor does one whose sources are all faint noise.
TEST(BlindSearch, FindsTheFieldFromTheIndexAlone) {
    testing::TempFolder folder;
    const std::vector<LocalStar> stars = patchStars();
    const BlindIndex built = savedPatchIndex(folder, stars);
    const Result<BlindIndex> index = BlindIndex::load(folder.file("patch.index"));
    ASSERT_TRUE(index) << describe(index.error());
    EXPECT_EQ(index->quadCount(), built.quadCount());

    const struct {
        double ra, dec, scale, angle;
        bool mirrored, inside;
        int faint = 0;
    } fields[] = {{150, 20, 2.0, 30, false, true},  {145.3, 12.4, 4.5, -100, false, true},
                  {155, 27, 6.0, 170, true, true},  {148, 18, 3.0, 60, false, true, 6000},
                  {200, -30, 3.0, 0, false, false}, {200, -30, 3.0, 0, false, false, 6000}};
    for (const auto& f : fields) {
        fieldsim::FieldSetup setup;
        setup.width = 1000, setup.height = 800, setup.centreRaDeg = f.ra, setup.centreDecDeg = f.dec;
        setup.arcsecPerPixel = f.scale, setup.upPositionAngleDeg = f.angle, setup.mirrored = f.mirrored;
        std::optional<BlindCandidate> first;
        const BlindStats stats =
            blindSearch(fieldStars(stars, setup, f.faint), 1000, 800, *index, {}, [&](const BlindCandidate& c) {
                first = c;
                return true;
            });
        ASSERT_EQ(first.has_value(), f.inside) << f.ra << " after " << stats.quadsTried << " quads";
        if (!first) continue;
        const auto truth = fieldsim::imageToSky(setup, 499.5, 399.5);
        EXPECT_LT(3600 * std::hypot((first->centreRaDeg - truth.raDeg) * std::cos(f.dec * M_PI / 180),
                                    first->centreDecDeg - truth.decDeg),
                  3 * f.scale)
            << f.ra;
        EXPECT_NEAR(first->arcsecPerPx / f.scale, 1, 0.005) << f.ra;
        EXPECT_EQ(first->mirrored, f.mirrored) << f.ra;
    }
}

// A damaged index is refused with what is wrong, or, where only a quad is
// damaged, searched without reading past the stars.
TEST(BlindIndex, DamagedFilesAreRefusedOrSearchedSafely) {
    testing::TempFolder folder;
    const std::vector<LocalStar> stars = patchStars();
    const BlindIndex built = savedPatchIndex(folder, stars);
    const std::string good = readFileBytes(folder.file("patch.index")).value();
    // The first band's header follows the 12 bytes of the file's; its stars,
    // cells and quads follow its 44.
    const std::uint64_t stars0 = built.starCount(0);
    const std::size_t cellsAt = 12 + 44 + stars0 * 20, quadsAt = cellsAt + [&] {
        std::uint32_t n;
        std::memcpy(&n, good.data() + 12 + 32, 4);
        return n * 8;
    }();
    const auto patched = [&](std::size_t at, std::string bytes) {
        std::string file = good;
        file.replace(at, bytes.size(), bytes);
        return file;
    };
    const struct {
        std::string file, refusal;
    } cases[] = {{good.substr(0, good.size() / 2), "cut short"},
                 {good + "x", "bytes after the last band"},
                 {patched(7, "1"), "an earlier version"},
                 {"VSXSTAR1", "not an index of this program"},
                 {patched(cellsAt + 8, std::string(8, '\0')), "a damaged cell table"},
                 {patched(quadsAt, std::string(4, '\xff')), ""}};
    for (const auto& c : cases) {
        writeFileBytes(folder.file("damaged.index"), c.file);
        const Result<BlindIndex> index = BlindIndex::load(folder.file("damaged.index"));
        if (!c.refusal.empty()) {
            ASSERT_FALSE(index) << c.refusal;
            EXPECT_NE(describe(index.error()).find(c.refusal), std::string::npos) << describe(index.error());
            continue;
        }
        ASSERT_TRUE(index) << describe(index.error());
        fieldsim::FieldSetup setup;
        setup.width = 1000, setup.height = 800, setup.centreRaDeg = 150, setup.centreDecDeg = 20;
        setup.arcsecPerPixel = 3;
        bool found = false;
        blindSearch(fieldStars(stars, setup), 1000, 800, *index, {},
                    [&](const BlindCandidate&) { return found = true; });
        EXPECT_TRUE(found);
    }
}

}  // namespace
}  // namespace sextrix

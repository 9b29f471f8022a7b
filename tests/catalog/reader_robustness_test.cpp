// Every reader on every truncation of a valid text and on seeded random and
// mutated bytes: no crash (the tests run under the sanitizers), counts within
// their arrays, and no failure other than the documented ones.
#include <gtest/gtest.h>

#include <random>

#include "catalog/asteroid_list_reader.h"
#include "catalog/deep_sky_reader.h"
#include "catalog/star_list_reader.h"
#include "support/answer_builders.h"
#include "support/garbage.h"

namespace sextrix {
namespace {

using testing::Garbage;

// Valid texts, then every truncation of them, then random and mutated bytes.
std::vector<std::string> inputsFrom(const std::string& valid, unsigned seed) {
    std::vector<std::string> inputs;
    for (std::size_t n = 0; n <= valid.size(); ++n) inputs.push_back(valid.substr(0, n));
    Garbage g(seed);
    for (int i = 0; i < 1500; ++i) inputs.push_back(g.random(3000));
    for (int i = 0; i < 1500; ++i) inputs.push_back(g.mutate(valid));
    return inputs;
}

TEST(ReaderRobustness, StarList) {
    const std::string valid = testing::starAnswer(12);
    const std::size_t firstRecord = valid.find("</b>") + 4;
    for (const auto& bytes : inputsFrom(valid, 1)) {
        const auto stars = parseStarList(bytes, "data.txt", 2599.43, 2709.96);
        if (!stars) {
            // A mutated number beyond a double's range, e.g. "2e456".
            EXPECT_EQ(stars.error().file, "data.txt");
            EXPECT_EQ(stars.error().place, ReadPlace::Record);
            EXPECT_GE(stars.error().line, 1);
            continue;
        }
        EXPECT_LE(stars->size(), 4000u);
        if (valid.starts_with(bytes) && bytes.size() > firstRecord) {
            // Every complete record of a truncated answer is read.
            const std::size_t complete = std::min<std::size_t>((bytes.size() - firstRecord) / 66, 12);
            EXPECT_GE(stars->size(), complete) << bytes.size();
            EXPECT_LE(stars->size(), complete + 1) << bytes.size();
        }
    }
}

TEST(ReaderRobustness, AsteroidList) {
    std::vector<std::string> lines;
    for (int i = 0; i < 7; ++i) lines.push_back(testing::asteroidLine({}));
    const std::string valid = testing::asteroidPage(lines);
    for (const auto& bytes : inputsFrom(valid, 2)) {
        const auto asteroids = parseAsteroidList(bytes, "data2.txt", 2599.43, 2709.96).value();
        EXPECT_LE(asteroids.size(), 500u);
        if (valid.starts_with(bytes)) {
            EXPECT_LE(asteroids.size(), 7u);
        }
    }
}

TEST(ReaderRobustness, DeepSkyFile) {
    std::vector<std::string> lines;
    for (int i = 0; i < 12; ++i) lines.push_back(testing::deepSkyLine({}));
    const std::string valid = testing::deepSkyFile(lines);
    DeepSkyWindow everywhere;
    everywhere.corrAsd = 2599.43;
    everywhere.corrDec = 2709.96;
    everywhere.halfWidth = 1e300;
    for (const auto& bytes : inputsFrom(valid, 3)) {
        std::vector<DeepSkyObject> kept(495);  // near the cap, as after a full first file
        const auto scan = scanDeepSkyFile(bytes, "deepobj1.txt", "NGC ", everywhere, kept);
        EXPECT_LE(kept.size(), 500u);
        if (scan)
            EXPECT_EQ(scan->full, kept.size() == 500u);
        else
            EXPECT_TRUE(scan.error().line > 2 && !scan.error().cause.empty()) << describe(scan.error());
    }
}

}  // namespace
}  // namespace sextrix

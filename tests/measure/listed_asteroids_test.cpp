#include "measure/listed_asteroids.h"

#include <gtest/gtest.h>

#include <vector>

namespace sextrix {
namespace {

// Near 0 h the RA difference is taken the short way, and on the sky (cos dec).
TEST(ListedAsteroids, NearestWithinTheRadiusGivesItsDesignationAndOMinusC) {
    const std::vector<ListedAsteroid> listed{{"433", 359.999, 60}, {"2024 AB12", 0.004, 60}, {"1", 10, 60}};
    const auto match = nearestListedAsteroid(0.001, 60.001, listed);
    ASSERT_TRUE(match);
    EXPECT_EQ(match->designation, "433");
    EXPECT_NEAR(match->ocRaCosDecArcsec, 0.002 * 3600 * 0.5, 1e-3);
    EXPECT_NEAR(match->ocDecArcsec, 3.6, 1e-6);
    EXPECT_FALSE(nearestListedAsteroid(0.02, 60, listed));

    const std::pair<std::pair<const char*, const char*>, const char*> rows[] = {
        {{"433) ", "Eros"}, "433"}, {{"", "2024AB12"}, "2024 AB12"}, {{"", "Apophis"}, "Apophis"}};
    for (const auto& [fields, designation] : rows)
        EXPECT_EQ(listedDesignation(fields.first, fields.second), designation);
}

}  // namespace
}  // namespace sextrix

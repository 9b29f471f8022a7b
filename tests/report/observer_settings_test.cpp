#include "report/observer_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"

namespace sextrix {
namespace {

using namespace std::string_literals;

ObserverSettings filled() {
    ObserverSettings s;
    s.station = "G70", s.contactName = "J.-F. Hulot";
    s.contactAddress = "1 rue de la Plage, Saint-Marc-sur-Mer", s.contactEmail = "hulot@example.org";
    s.observers = {"J.-F. Hulot", "J. R. R. Tolkien"}, s.apertureMetres = 0.28, s.focalRatio = 6.3;
    s.telescopeDesign = "Schmidt-Cassegrain", s.detector = Detector::Cmos;
    s.acknowledgementEmails = "hulot@example.org,obs@example.org", s.comment = "Clear = dry";
    s.cameraUtcOffsetHours = -3.5;
    s.otherKeys = {{"later_key", "kept as it was"}};
    return s;
}

TEST(ObserverSettings, ReadBackWithAnyLineEndAndKeepKeysOfLaterVersions) {
    const testing::TempFolder folder;
    saveObserverSettings(folder.file("observer.cfg"), filled());
    const std::string saved = folder.read("observer.cfg");
    std::string lf = saved, cr = saved;
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
    for (std::size_t at; (at = cr.find("\r\n")) != std::string::npos;) cr.erase(at + 1, 1);
    for (const std::string& text : {saved, lf, cr, "\xEF\xBB\xBF" + lf}) {
        const auto reading = readObserverSettings(text, "observer.cfg");
        EXPECT_TRUE(reading.problems.empty());
        EXPECT_EQ(observerSettingsText(reading.settings), saved);
    }
    EXPECT_EQ(observerSettingsText(loadObserverSettings(folder.file("observer.cfg"))->settings), saved);
    EXPECT_TRUE(loadObserverSettings(folder.file("none.cfg"))->settings.station.empty());
}

TEST(ObserverSettings, ReportTheLinesTheyCannotTake) {
    const auto reading = readObserverSettings(
        "station=G70\nno equals sign\naperture_m=wide\n\ndetector=film\ncamera_utc_offset_hours=14.5\n"
        "camera_utc_offset_hours=east\ncamera_utc_offset_hours=-14\n",
        "observer.cfg");
    EXPECT_EQ(reading.settings.station, "G70");
    EXPECT_EQ(reading.settings.cameraUtcOffsetHours, -14);
    ASSERT_EQ(reading.problems.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(reading.problems[i].line, "23567"[i] - '0');
}

// Codes are a letter or digit and two digits; names are initials and a
// surname as the MPC's page asks, its examples of wrong headers refused.
TEST(ObserverSettings, ProblemsFollowTheMpcRules) {
    ASSERT_TRUE(settingsProblems(filled(), ReportFormat::Mpc80).empty());
    for (const char* code : {"G70", "500", "XXX"}) EXPECT_TRUE(isStationCode(code)) << code;
    for (const char* code : {"G7", "g70", "7AB", "G700", ""}) EXPECT_FALSE(isStationCode(code)) << code;
    const auto problemsOf = [](const char* observer) {
        ObserverSettings s = filled();
        s.observers = {observer};
        return settingsProblems(s, ReportFormat::Ades).size();
    };
    for (const char* name : {"H. Poirot", "D. K. Scully", "V. van Gogh"}) EXPECT_EQ(problemsOf(name), 0u) << name;
    for (const char* name :
         {"J.M. Jarre", "Vangelis Papathanassiou", "M. OLDFIELD", "J. Garcia, P. Mason", "J.  Garcia"})
        EXPECT_EQ(problemsOf(name), 1u) << name;
    ObserverSettings accented = filled();
    accented.observers = {"J. M\xC3\xBCller"};
    EXPECT_EQ(settingsProblems(accented, ReportFormat::Mpc80).size(), 1u);
    EXPECT_TRUE(settingsProblems(accented, ReportFormat::Ades).empty());
    ObserverSettings empty;
    EXPECT_EQ(settingsProblems(empty, ReportFormat::Ades).size(), 5u);  // code, contact, observer, aperture, design
}

}  // namespace
}  // namespace sextrix

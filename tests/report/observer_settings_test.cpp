#include "report/observer_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"

namespace sextrix {
namespace {

ObserverSettings filled() {
    ObserverSettings s;
    s.station = "G70";
    s.contactName = "J.-F. Hulot";
    s.contactAddress = "1 rue de la Plage, Saint-Marc-sur-Mer";
    s.contactEmail = "hulot@example.org";
    s.observers = {"J.-F. Hulot", "J. R. R. Tolkien"};
    s.apertureMetres = 0.28, s.focalRatio = 6.3;
    s.telescopeDesign = "Schmidt-Cassegrain";
    s.detector = Detector::Cmos;
    s.acknowledgementEmails = "hulot@example.org,obs@example.org";
    s.comment = "Clear = dry";
    s.otherKeys = {{"later_key", "kept as it was"}};
    return s;
}

TEST(ObserverSettings, ReadBackWithAnyLineEndAndKeepKeysOfLaterVersions) {
    const testing::TempFolder folder;
    saveObserverSettings(folder.file("observer.cfg"), filled());
    const std::string saved = folder.read("observer.cfg");
    EXPECT_NE(saved.find("later_key=kept as it was\r\n"), std::string::npos);
    std::string lf = saved, cr = saved;
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
    for (std::size_t at; (at = cr.find("\r\n")) != std::string::npos;) cr.erase(at + 1, 1);
    for (const std::string& text : {saved, lf, cr, "\xEF\xBB\xBF" + lf}) {
        const auto reading = readObserverSettings(text);
        EXPECT_TRUE(reading.problems.empty());
        EXPECT_EQ(observerSettingsText(reading.settings), saved);
    }
    const auto loaded = loadObserverSettings(folder.file("observer.cfg"));
    EXPECT_EQ(loaded.settings.observers, filled().observers);
    EXPECT_EQ(loaded.settings.detector, Detector::Cmos);
    EXPECT_TRUE(loadObserverSettings(folder.file("none.cfg")).settings.station.empty());
}

TEST(ObserverSettings, ReportTheLinesTheyCannotTake) {
    const auto reading = readObserverSettings("station=G70\nno equals sign\naperture_m=wide\n\ndetector=film\n");
    EXPECT_EQ(reading.settings.station, "G70");
    ASSERT_EQ(reading.problems.size(), 3u);
    EXPECT_EQ(reading.problems[0].substr(0, 7), "Line 2:");
    EXPECT_EQ(reading.problems[1].substr(0, 7), "Line 3:");
    EXPECT_EQ(reading.problems[2].substr(0, 7), "Line 5:");
}

// Codes are a letter or digit and two digits; names are initials and a
// surname as the MPC's page asks, its examples of wrong headers refused.
TEST(ObserverSettings, ProblemsFollowTheMpcRules) {
    ASSERT_TRUE(settingsProblems(filled(), ReportFormat::Mpc80).empty());
    const struct {
        const char* station;
        const char* observer;
        bool good;
    } rows[] = {
        {"G70", "H. Poirot", true},
        {"500", "D. K. Scully", true},
        {"XXX", "V. van Gogh", true},
        {"G70", "J.M. Jarre", false},
        {"G70", "Vangelis Papathanassiou", false},
        {"G70", "M. OLDFIELD", false},
        {"G70", "J. Garcia, P. Mason", false},
        {"G70", "J.  Garcia", false},
        {"G7", "H. Poirot", false},
        {"g70", "H. Poirot", false},
        {"7AB", "H. Poirot", false},
        {"G700", "H. Poirot", false},
    };
    for (const auto& row : rows) {
        ObserverSettings s = filled();
        s.station = row.station, s.observers = {row.observer};
        EXPECT_EQ(settingsProblems(s, ReportFormat::Ades).empty(), row.good) << row.station << " " << row.observer;
    }
    ObserverSettings accented = filled();
    accented.observers = {"J. M\xC3\xBCller"};
    EXPECT_EQ(settingsProblems(accented, ReportFormat::Mpc80).size(), 1u);
    EXPECT_TRUE(settingsProblems(accented, ReportFormat::Ades).empty());
    ObserverSettings empty;
    EXPECT_EQ(settingsProblems(empty, ReportFormat::Ades).size(), 5u);  // code, contact, observer, aperture, design
}

}  // namespace
}  // namespace sextrix

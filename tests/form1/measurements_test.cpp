// The measurements kept for the reports: named, deleted, kept with the
// project, and reported only when everything a report needs is known.
#include "form1/measurements.h"

#include <gtest/gtest.h>

#include "form1/image_file.h"
#include "form1/mpc_report.h"
#include "form1/project.h"
#include "measure/kept_measurements_file.h"
#include "support/demo_field_app.h"

namespace sextrix {
namespace {

// Two measurements on the demo picture, loaded: one of a listed asteroid.
struct MeasuredApp : testing::TestApp {
    MeasuredApp() {
        testing::typeDemoField(*this);
        Loadimg_Click(app);
        KeptMeasurement m;
        m.target = {500, 400, 132.8, 11.75, 0.08, 0.09, 60, 15.2, 0.03, false};
        m.image = folder.file("m67.bmp");
        m.known = AsteroidMatch{"2024 AB12", 0.3, -0.2};
        KeptMeasurement other = m;
        other.known.reset();
        other.target.x = 100;
        app.ws().measurements = {m, other};
    }
};

TEST(Measurements, NamedDeletedAndKeptWithTheProject) {
    MeasuredApp t;
    std::vector<KeptMeasurement>& kept = t.app.ws().measurements;
    EXPECT_FALSE(renameMeasurement(t.app, 1, "not a name!"));
    EXPECT_EQ(t.fake.messages.size(), 1u);
    EXPECT_TRUE(renameMeasurement(t.app, 1, " 433 "));
    EXPECT_TRUE(renameMeasurement(t.app, 0, "VS01"));
    EXPECT_TRUE(renameMeasurement(t.app, 0, ""));  // back to the listed asteroid
    fillMeasurementsModel(t.app);
    EXPECT_EQ(t.app.measurements.rows[0].cells[0], "2024 AB12");
    EXPECT_EQ(t.app.measurements.rows[1].cells[0], "433");
    ASSERT_EQ(t.app.form1.measureMarkers.size(), 2u);
    EXPECT_EQ(t.app.form1.measureMarkers[1].text, "433");

    // Saved with the project and back when it is opened; a damaged list
    // leaves the project opened without it, and says so.
    t.fake.chosenFiles = {t.folder.file("night")};
    mnu_save_Click(t.app);
    kept.clear();
    t.fake.chosenFiles = {t.folder.file("night.pam")};
    mnu_open_Click(t.app);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[1].designation, "433");
    EXPECT_EQ(t.app.form1.measureMarkers.size(), 2u);
    t.folder.write("night.pam.measurements", "# Velorin Sextrix measurements, version 1\r\n");
    t.fake.chosenFiles = {t.folder.file("night.pam")};
    mnu_open_Click(t.app);
    EXPECT_TRUE(kept.empty());
    EXPECT_NE(t.fake.messages.back().text.find("night.pam.measurements"), std::string::npos);

    // Deleting, in any order, passes over what is not there.
    kept = {KeptMeasurement{}, KeptMeasurement{}, KeptMeasurement{}};
    kept[1].designation = "433";
    deleteMeasurements(t.app, {2, 7, 0});
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].designation, "433");
}

TEST(Measurements, AReportIsWrittenOnlyWhenEverythingItNeedsIsKnown) {
    MeasuredApp t;
    std::vector<KeptMeasurement>& kept = t.app.ws().measurements;
    const std::string report = t.folder.file("night.txt");
    t.folder.write("night.txt", "an earlier report");
    const std::string observer =
        "station=G70\ncontact_name=J. Doe\nobservers=J. Doe\naperture_m=0.28\ntelescope_design=reflector\n";
    const struct {
        const char* why;
        std::function<void()> make;
        const char* said;
    } refusals[] = {
        {"nothing measured", [&] { kept.clear(); }, "No measurement yet"},
        {"no time", [&] { kept = MeasuredApp().app.ws().measurements; }, "time of the observation"},
        {"no designation", [&] { kept[0].mjdUtc = kept[1].mjdUtc = 61382.13; }, "measurement 2: no designation"},
        {"no observatory", [&] { kept[1].designation = "433"; }, "no observatory code"},
        {"settings the MPC refuses", [&] { t.folder.write("observer.cfg", "station=G70\n"); }, "contact's name"},
    };
    for (const auto& r : refusals) {
        r.make();
        t.fake.chosenFiles = {report};
        mnu_savereport_Click(t.app);
        ASSERT_FALSE(t.fake.messages.empty()) << r.why;
        EXPECT_NE(t.fake.messages.back().text.find(r.said), std::string::npos) << t.fake.messages.back().text;
        EXPECT_EQ(readFileBytes(report).value(), "an earlier report") << r.why;
    }

    t.folder.write("observer.cfg", observer);
    const std::size_t messages = t.fake.messages.size();
    for (const char* name : {"night.txt", "night.xml"}) {
        t.fake.chosenFiles = {t.folder.file(name)};
        mnu_savereport_Click(t.app);
    }
    mnu_copyreport_Click(t.app);
    EXPECT_EQ(t.fake.messages.size(), messages);
    EXPECT_NE(readFileBytes(report).value().find("     K24A12B  C2026 12 08.13"), std::string::npos);
    EXPECT_NE(readFileBytes(t.folder.file("night.xml")).value().find("<provID>2024 AB12</provID>"), std::string::npos);
    ASSERT_EQ(t.fake.copiedTexts.size(), 1u);
    EXPECT_EQ(t.fake.copiedTexts[0], readFileBytes(report).value());
}

}  // namespace
}  // namespace sextrix

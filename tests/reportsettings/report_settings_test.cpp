// The report settings window: observer.cfg shown in the boxes, written back
// on Save only when every box can be taken.
#include "reportsettings/report_settings_handlers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/fake_platform.h"

namespace sextrix {
namespace {

constexpr const char* kFile = "station=G70\r\naperture_m=0.2\r\ncamera_utc_offset_hours=1\r\nlater_key=kept\r\n";

struct SaveCase {
    char separator;
    std::vector<std::pair<LabelledBox ReportSettingsModel::*, const char*>> typed;
    int detector;  // the choice made; -1: left as shown
    bool saves;
    const char* expected;  // the lines the file then holds, "|" between them; or the refusal
};

TEST(ReportSettings, SaveTakesTheBoxesOrRefusesNamingTheBox) {
    using M = ReportSettingsModel;
    const SaveCase cases[] = {
        {',',
         {{&M::aperture, "0,28"}, {&M::focalRatio, " 6.3 "}, {&M::cameraUtcOffset, "-3,5"}},
         1,
         true,
         "station=G70|aperture_m=0.28|focal_ratio=6.3|camera_utc_offset_hours=-3.5|detector=CMOS|later_key=kept"},
        {'.',
         {{&M::station, " "}, {&M::aperture, ""}, {&M::cameraUtcOffset, ""}},
         -1,
         true,
         "station=|aperture_m=|camera_utc_offset_hours=|detector=CCD"},
        {'.', {{&M::observers, " J. Smith ,, A. Jones "}}, -1, true, "observers=J. Smith, A. Jones"},
        {',', {{&M::aperture, "0.2.8"}}, 1, false, "Aperture (m): \"0.2.8\" is not a number."},
        {'.', {{&M::focalRatio, "0"}}, -1, false, "Focal ratio: \"0\" is out of range."},
        {'.',
         {{&M::cameraUtcOffset, "+14.5"}},
         -1,
         false,
         "Camera clock offset from UTC (hours): \"+14.5\" is out of range."},
        {'.',
         {{&M::cameraUtcOffset, "UTC+1"}},
         -1,
         false,
         "Camera clock offset from UTC (hours): \"UTC+1\" is not a number."},
        {'.',
         {{&M::station, "g70"}},
         -1,
         false,
         "Observatory code: \"g70\" is not a letter or digit and two digits (XXX for a site without a code yet)."},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.expected);
        testing::TestApp t;
        t.app.ctx.decimalSeparator = c.separator;
        t.folder.write("observer.cfg", kFile);
        ReportSettings_Load(t.app);
        ReportSettingsModel& w = t.app.reportSettings;
        for (const auto& [field, text] : c.typed) (w.*field).box.text = text;
        if (c.detector >= 0) w.detector.selected = c.detector;

        const bool saved = ReportSettings_cmdSave_Click(t.app);
        const std::string file = t.folder.read("observer.cfg");
        EXPECT_EQ(saved, c.saves);
        if (c.saves) {
            EXPECT_TRUE(t.fake.messages.empty());
            for (std::string_view rest = c.expected; !rest.empty();) {
                const auto bar = std::min(rest.find('|'), rest.size());
                const std::string line = "\r\n" + std::string(rest.substr(0, bar)) + "\r\n";
                EXPECT_NE(("\r\n" + file).find(line), std::string::npos) << line << " in\n" << file;
                rest.remove_prefix(std::min(bar + 1, rest.size()));
            }
        } else {
            ASSERT_EQ(t.fake.messages.size(), 1u);
            EXPECT_EQ(t.fake.messages[0].text, c.expected);
            EXPECT_EQ(file, kFile);
        }
    }
}

// Load shows the file in the user's notation and never writes it: lines it
// cannot take are told, and the file stays as it is until Save.
TEST(ReportSettings, LoadTellsWhatItCannotReadAndLeavesTheFile) {
    testing::TestApp t;
    t.app.ctx.decimalSeparator = ',';
    const std::string file = "aperture_m=0.28\r\nfocal_ratio=wide\r\ndetector=CMOS\r\n";
    t.folder.write("observer.cfg", file);
    ReportSettings_Load(t.app);
    const ReportSettingsModel& w = t.app.reportSettings;
    EXPECT_EQ(w.aperture.box.text, "0,28");
    EXPECT_EQ(w.focalRatio.box.text, "");
    EXPECT_EQ(w.detector.selected, 1);
    ASSERT_EQ(t.fake.messages.size(), 1u);
    EXPECT_NE(t.fake.messages[0].text.find("line 2"), std::string::npos) << t.fake.messages[0].text;
    EXPECT_EQ(t.folder.read("observer.cfg"), file);

    // A settings file that cannot be read (a folder here) nor written over.
    testing::TestApp unreadable;
    std::filesystem::create_directory(unreadable.folder.file("observer.cfg"));
    ReportSettings_Load(unreadable.app);
    EXPECT_EQ(unreadable.app.reportSettings.station.box.text, "");
    unreadable.app.reportSettings.station.box.text = "G70";
    EXPECT_FALSE(ReportSettings_cmdSave_Click(unreadable.app));
    const auto& messages = unreadable.fake.messages;
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text.rfind("Report settings not saved: ", 0), 0u) << messages[1].text;
    EXPECT_TRUE(std::filesystem::is_directory(unreadable.folder.file("observer.cfg")));
}

}  // namespace
}  // namespace sextrix

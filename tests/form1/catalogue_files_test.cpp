#include "form1/catalogue_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "state/errors.h"
#include "state/text_file.h"
#include "support/answer_builders.h"
#include "support/fake_platform.h"
#include "support/garbage.h"
#include "support/typed_centre.h"

namespace sextrix {
namespace {

using testing::asteroidLines;
using testing::asteroidPage;
using testing::DeepSkyFields;
using testing::deepSkyFile;
using testing::deepSkyLine;
using testing::Garbage;
using testing::starAnswer;
using testing::StarFields;

// ---------------------------------------------------------------------------
// READFILE: the star catalogue's answer

// Counts, loop counter and the two status lines.
struct CountRow {
    int records;
    Int16 total, count;
};

class ReadFileCounts : public ::testing::TestWithParam<CountRow> {};

TEST_P(ReadFileCounts, CapsTheIdentificationAt497) {
    const auto& row = GetParam();
    testing::TestApp t;
    t.app.ctx.lang.messages[18] = "Lecture du catalogue";
    t.app.ctx.lang.messages[19] = " étoiles";
    t.app.ctx.lang.formTexts[20] = "Catalogue d'étoile";
    t.folder.write("data.txt", starAnswer(row.records));

    READFILE(t.app);

    const WorkingState& ws = t.app.ws();
    EXPECT_EQ(ws.catTotal, row.total);
    EXPECT_EQ(ws.catCount, row.count);
    const std::string closing =
        "Catalogue d'étoile: " + std::to_string(row.count) + "/" + std::to_string(row.total) + " étoiles";
    EXPECT_EQ(t.app.form1.status.items, (std::vector<std::string>{closing, "Lecture du catalogue"}));
}

INSTANTIATE_TEST_SUITE_P(Answers, ReadFileCounts,
                         ::testing::Values(CountRow{0, 0, 0}, CountRow{10, 10, 10}, CountRow{497, 497, 497},
                                           CountRow{498, 498, 497}, CountRow{1200, 1200, 497},
                                           CountRow{4000, 4000, 497}),
                         [](const auto& info) { return "Records" + std::to_string(info.param.records); });

TEST(ReadFile, FillsTheCatalogueArraysFromIndexOne) {
    testing::TestApp t;
    t.app.ws().corrAsd = 2599.43;
    t.app.ws().corrDec = 2709.96;
    StarFields first, second;
    second.id = "U1275-99999999";
    second.ra = "023.70833";
    second.magB = "    ";
    t.folder.write("data.txt", starAnswer({first, second}));
    READFILE(t.app);
    const WorkingState& ws = t.app.ws();
    EXPECT_EQ(ws.catIds[2], "U1275-99999999");
    EXPECT_EQ(ws.catX[2], 61628);  // 23.70833 * 2599.43 = 61628.14
    EXPECT_EQ(ws.catY[1], -33456);
    EXPECT_EQ(ws.catMagR[2], "12.3");
    EXPECT_EQ(ws.catMagB[2], "    ");
    EXPECT_DOUBLE_EQ(ws.catRa[2], 23.70833);
    EXPECT_DOUBLE_EQ(ws.catDec[1], -12.34567);
}

// ---------------------------------------------------------------------------
// READFILE_ASTER: the asteroid list

TEST(ReadFileAster, FillsTheArraysAndPostsTheCount) {
    testing::TestApp t;
    t.app.ctx.lang.messages[19] = " trouvés";
    t.app.ctx.lang.formTexts[75] = "Astéroïdes";
    t.app.ws().corrAsd = 2599.43;
    t.app.ws().corrDec = 2709.96;
    t.folder.write("data2.txt", asteroidPage(asteroidLines(7)));
    READFILE_ASTER(t.app);
    const WorkingState& ws = t.app.ws();
    EXPECT_EQ(ws.astCount, 7);
    EXPECT_EQ(ws.astNames[7], "2004AB6");
    EXPECT_EQ(ws.astNumbers[1], "   433");
    EXPECT_EQ(ws.astX[3], "61628");
    EXPECT_EQ(ws.astText77[7], "-05");
    EXPECT_EQ(t.app.form1.status.items, (std::vector<std::string>{"Astéroïdes: 7 trouvés"}));
}

// A missing list is reported only when the asteroids are to be charted.
TEST(ReadFileAster, MissingListIsReportedWhenAsteroidsAreWanted) {
    for (const Int16 wanted : {Int16{0}, kTicked}) {
        testing::TestApp t;
        t.app.form1.CheckAster.value = wanted;
        t.app.ws().astCount = 3;
        READFILE_ASTER(t.app);
        EXPECT_EQ(t.app.ws().astCount, 0);
        EXPECT_EQ(t.fake.messages.size(), wanted == kTicked ? 1u : 0u);
    }
}

// ---------------------------------------------------------------------------
// READFILE_NGCIC: the deep-sky files in the program folder

struct DeepSkyHandler : ::testing::Test {
    DeepSkyHandler() {
        t.app.ctx.lang.formTexts[76] = "CielProfond";
        t.app.ctx.lang.messages[19] = " trouvés";
        auto& f = t.app.form1;
        testing::typeCentre(f, {{"0", "42", "44.3"}, "+", {"41", "16", "9"}});
        f.txt_distance.text = "20";
        t.app.ws().corrAsd = 2599.43;
        t.app.ws().corrDec = 2709.96;
    }
    std::vector<std::string> names() const {
        const WorkingState& ws = t.app.form1.ws;
        return {ws.deepNames.begin() + 1, ws.deepNames.begin() + 1 + ws.deepCount};
    }
    // n objects at the centre of the field, numbered from first.
    static std::string centredFile(int n, int first = 1) {
        std::vector<std::string> lines;
        for (int i = 0; i < n; ++i) {
            DeepSkyFields f;
            f.number = std::to_string(first + i);
            lines.push_back(deepSkyLine(f));
        }
        return deepSkyFile(lines);
    }
    testing::TestApp t;
};

TEST_F(DeepSkyHandler, ShippedFilesAroundAndromeda) {
    for (const char* name : {"deepobj1.txt", "deepobj2.txt"})
        t.folder.write(name, readFileBytes(testing::dataFile(name)).value());
    t.app.form1.CheckDeepObj1.value = kTicked;
    READFILE_NGCIC(t.app, CentreJ2000(t.app));
    const auto kept = names();
    // M 31 with its companions M 32 (NGC 221) and M 110 (NGC 205), all within
    // 0.67 deg (1807 units) of the centre on both axes.
    for (const char* object : {"NGC 224", "NGC 221", "NGC 205"})
        EXPECT_NE(std::find(kept.begin(), kept.end(), object), kept.end()) << object;
    EXPECT_EQ(t.app.form1.status.items,
              (std::vector<std::string>{"CielProfond: " + std::to_string(kept.size()) + " trouvés"}));
    EXPECT_TRUE(t.fake.messages.empty());

    // Objects the chart will not draw: the status says which box draws them.
    t.app.form1.CheckDeepObj1 = {"NGC/IC on the chart", 0};
    READFILE_NGCIC(t.app, CentreJ2000(t.app));
    EXPECT_EQ(t.app.form1.status.items.front(),
              "Not drawn: tick \"NGC/IC on the chart\" in the CielProfond tab to show them.");
}

TEST_F(DeepSkyHandler, FieldAcross0hKeepsObjectsOnBothSides) {
    auto& f = t.app.form1;
    const char* centre[6] = {"23", "59", "59", "10", "0", "0"};
    for (int k = 0; k < 3; ++k) f.txt_ra[k].text = centre[k], f.txt_dec[k].text = centre[k + 3];
    t.app.ws().corrAsd = 3600;  // half-width of the window 2400 units, 0.67 deg
    t.app.ws().corrDec = 3600;
    t.folder.write("deepobj1.txt", deepSkyFile({deepSkyLine(testing::deepSkyAt("00 00 24.0", "+10 00 00")),
                                                deepSkyLine(testing::deepSkyAt("12 00 00.0", "+10 00 00")),
                                                deepSkyLine(testing::deepSkyAt("23 59 36.0", "+10 00 00"))}));
    t.folder.write("deepobj2.txt", deepSkyFile({}));
    READFILE_NGCIC(t.app, CentreJ2000(t.app));
    const WorkingState& ws = t.app.ws();
    ASSERT_EQ(ws.deepCount, 2);
    EXPECT_EQ(ws.deepX[1], 1296360);  // 360.1 deg, east of the centre at 359.996
    EXPECT_EQ(ws.deepX[2], 1295640);  // 359.9 deg
}

TEST_F(DeepSkyHandler, FiveHundredObjectsStopBothFiles) {
    t.folder.write("deepobj1.txt", centredFile(495));
    t.folder.write("deepobj2.txt", centredFile(10, 1000));
    READFILE_NGCIC(t.app, CentreJ2000(t.app));
    const auto kept = names();
    ASSERT_EQ(kept.size(), 500u);
    EXPECT_EQ(kept[494], "NGC 495");
    EXPECT_EQ(kept[499], "IC 1004");

    t.folder.write("deepobj1.txt", centredFile(600));
    READFILE_NGCIC(t.app, CentreJ2000(t.app));
    EXPECT_EQ(t.app.ws().deepCount, 500);
    EXPECT_EQ(t.app.ws().deepNames[500], "NGC 500");
}

TEST_F(DeepSkyHandler, MissingFileIsShownAndTheOtherStillRead) {
    t.folder.write("deepobj2.txt", centredFile(3));
    READFILE_NGCIC(t.app, CentreJ2000(t.app));
    ASSERT_EQ(t.fake.messages.size(), 1u);
    EXPECT_NE(t.fake.messages[0].text.find("deepobj1.txt"), std::string::npos);
    EXPECT_EQ(names(), (std::vector<std::string>{"IC 1", "IC 2", "IC 3"}));
}

TEST_F(DeepSkyHandler, UnreadableLineIsShownAndWhatWasReadKept) {
    DeepSkyFields bad;
    bad.size1 = "1e9999";
    t.folder.write("deepobj1.txt",
                   deepSkyFile({deepSkyLine(DeepSkyFields{}), deepSkyLine(bad), deepSkyLine(DeepSkyFields{})}));
    t.folder.write("deepobj2.txt", centredFile(1));
    READFILE_NGCIC(t.app, CentreJ2000(t.app));
    ASSERT_EQ(t.fake.messages.size(), 1u);
    EXPECT_NE(t.fake.messages[0].text.find("deepobj1.txt, line 4: Overflow"), std::string::npos)
        << t.fake.messages[0].text;
    EXPECT_EQ(names(), (std::vector<std::string>{"NGC 224", "IC 1"}));
}

// ---------------------------------------------------------------------------
// All three on damaged answers

// Through the handlers and real files: the counts stay within their arrays
// whatever the bytes, and a reader that fails leaves its count at 0.
TEST(ReaderRobustness, HandlersKeepCountsInBounds) {
    testing::TestApp t;
    t.app.ws().corrAsd = 2599.43;
    t.app.ws().corrDec = 2709.96;
    auto& f = t.app.form1;
    for (int i = 0; i < 3; ++i) f.txt_ra[i].text = f.txt_dec[i].text = "0";
    f.txt_distance.text = "100000";
    Garbage g(4);
    const std::string star = testing::starAnswer(30);
    const std::string asteroid = testing::asteroidPage({testing::asteroidLine({})});
    const std::string deep = testing::deepSkyFile({testing::deepSkyLine({})});
    for (int i = 0; i < 200; ++i) {
        const bool mutated = i % 2 == 0;
        t.folder.write("data.txt", mutated ? g.mutate(star) : g.random(2000));
        t.folder.write("data2.txt", mutated ? g.mutate(asteroid) : g.random(2000));
        t.folder.write("deepobj1.txt", mutated ? g.mutate(deep) : g.random(2000));
        t.folder.write("deepobj2.txt", g.random(2000));
        WorkingState& ws = t.app.ws();
        try {
            READFILE(t.app);
        } catch (const ReadFailure&) {
            EXPECT_EQ(ws.catTotal, 0);
        }
        EXPECT_TRUE(ws.catTotal >= 0 && ws.catTotal <= 4000) << ws.catTotal;
        EXPECT_TRUE(ws.catCount >= 0 && ws.catCount <= 497) << ws.catCount;
        try {
            READFILE_ASTER(t.app);
        } catch (const ReadFailure&) {
            EXPECT_EQ(ws.astCount, 0);
        }
        EXPECT_TRUE(ws.astCount >= 0 && ws.astCount <= 500) << ws.astCount;
        READFILE_NGCIC(t.app, CentreJ2000(t.app));
        EXPECT_TRUE(ws.deepCount >= 0 && ws.deepCount <= 500) << ws.deepCount;
        t.app.form1.status.items.clear();
    }
}

// A missing answer is shown and reads as no answer; an unreadable record
// fails the step naming the file and the record. Either way the count is 0.
struct FailureRow {
    const char* name;
    void (*reader)(App&, const std::optional<StepCentre>&);
    const char* file;
    std::string bytes;   // empty: no file
    const char* shown;   // message box text, or nothing
    const char* thrown;  // failure text, or nothing
    Int16 WorkingState::*count;
};

class ReaderFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(ReaderFailure, IsReportedAndLeavesNoObjects) {
    const auto& row = GetParam();
    testing::TestApp t;
    t.app.ws().corrAsd = 1e306;              // any position beyond a degree overflows
    t.app.form1.CheckAster.value = kTicked;  // the asteroid list is wanted
    t.app.ws().*row.count = 12;
    if (!row.bytes.empty()) t.folder.write(row.file, row.bytes);
    std::string thrown;
    try {
        row.reader(t.app, std::nullopt);
    } catch (const ReadFailure& e) {
        thrown = e.what();
    }
    std::string shown = t.fake.messages.empty() ? "" : t.fake.messages[0].text;
    for (auto [fragment, text] : {std::pair{row.shown, shown}, std::pair{row.thrown, thrown}}) {
        if (*fragment)
            EXPECT_NE(text.find(fragment), std::string::npos) << text;
        else
            EXPECT_EQ(text, "");
    }
    EXPECT_EQ(t.app.ws().*row.count, 0);
}

testing::StarFields starAt(const char* ra) {
    testing::StarFields star;
    star.ra = ra;
    return star;
}

testing::AsteroidFields asteroidAt(const char* ra) {
    testing::AsteroidFields asteroid;
    asteroid.ra = ra;
    return asteroid;
}

INSTANTIATE_TEST_SUITE_P(
    Readers, ReaderFailure,
    ::testing::Values(
        FailureRow{"StarAnswerMissing", READFILE, "data.txt", "", "data.txt", "", &WorkingState::catTotal},
        FailureRow{"StarRecordOverflow", READFILE, "data.txt",
                   testing::starAnswer({starAt("0.5"), starAt("0.5"), starAt("1e999")}), "",
                   "data.txt, record 3: Overflow", &WorkingState::catCount},
        FailureRow{"AsteroidAnswerMissing", READFILE_ASTER, "data2.txt", "", "data2.txt", "", &WorkingState::astCount},
        FailureRow{"AsteroidLineOverflow", READFILE_ASTER, "data2.txt",
                   testing::asteroidPage({testing::asteroidLine(asteroidAt("00 00 00.1")),
                                          testing::asteroidLine(asteroidAt("23 00 9e99"))}),
                   "", "data2.txt, line 15: Overflow", &WorkingState::astCount}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix

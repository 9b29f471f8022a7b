// Every reader on every truncation of a valid text and on seeded random and
// mutated bytes: no crash (the tests run under the sanitizers), counts within
// their arrays, and no failure other than the documented ones.
#include <gtest/gtest.h>

#include <random>

#include "catalog/asteroid_list_reader.h"
#include "catalog/catalogue_columns.h"
#include "catalog/deep_sky_reader.h"
#include "catalog/star_list_reader.h"
#include "form1/catalogue_files.h"
#include "state/errors.h"
#include "support/answer_builders.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

// Bytes that matter to the readers, over-represented among random ones.
constexpr std::string_view kTelling = "0123456789eE+-. U\r\n(</pre>b";

class Garbage {
public:
    explicit Garbage(unsigned seed) : rng_(seed) {}
    char byte() { return pick(2) == 0 ? static_cast<char>(pick(256)) : kTelling[pick(kTelling.size())]; }
    std::string random(std::size_t maxLength) {
        std::string s(pick(maxLength + 1), ' ');
        for (char& c : s) c = byte();
        return s;
    }
    // A few bytes of a valid text replaced, inserted or deleted.
    std::string mutate(std::string s) {
        for (std::size_t n = 1 + pick(8); n > 0 && !s.empty(); --n) {
            const std::size_t at = pick(s.size());
            switch (pick(3)) {
                case 0: s[at] = byte(); break;
                case 1: s.insert(at, 1, byte()); break;
                default: s.erase(at, 1 + pick(80));
            }
        }
        return s;
    }
    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }

private:
    std::mt19937 rng_;
};

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
        try {
            const auto stars = parseStarList(bytes, 2599.43, 2709.96);
            EXPECT_LE(stars.size(), 4000u);
            if (valid.starts_with(bytes) && bytes.size() > firstRecord) {
                // Every complete record of a truncated answer is read.
                const std::size_t complete = std::min<std::size_t>((bytes.size() - firstRecord) / 66, 12);
                EXPECT_GE(stars.size(), complete) << bytes.size();
                EXPECT_LE(stars.size(), complete + 1) << bytes.size();
            }
        } catch (const RecordError&) {
            // A mutated number beyond a double's range, e.g. "2e456".
        }
    }
}

TEST(ReaderRobustness, AsteroidList) {
    std::vector<std::string> lines;
    for (int i = 0; i < 7; ++i) lines.push_back(testing::asteroidLine({}));
    const std::string valid = testing::asteroidPage(lines);
    for (const auto& bytes : inputsFrom(valid, 2)) {
        const auto asteroids = parseAsteroidList(bytes, 2599.43, 2709.96);
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
        const auto scan = scanDeepSkyFile(bytes, "NGC ", everywhere, kept);
        EXPECT_LE(kept.size(), 500u);
        EXPECT_EQ(scan.full, kept.size() == 500u);
        EXPECT_EQ(scan.badLine != 0, !scan.failure.empty());
    }
}

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
        } catch (const FileError&) {
            EXPECT_EQ(ws.catTotal, 0);
        }
        EXPECT_TRUE(ws.catTotal >= 0 && ws.catTotal <= 4000) << ws.catTotal;
        EXPECT_TRUE(ws.catCount >= 0 && ws.catCount <= 497) << ws.catCount;
        try {
            READFILE_ASTER(t.app);
        } catch (const FileError&) {
            EXPECT_EQ(ws.astCount, 0);
        }
        EXPECT_TRUE(ws.astCount >= 0 && ws.astCount <= 500) << ws.astCount;
        READFILE_NGCIC(t.app);
        EXPECT_TRUE(ws.deepCount >= 0 && ws.deepCount <= 500) << ws.deepCount;
        t.app.form1.status.items.clear();
    }
}

// A missing answer is shown and reads as no answer; an unreadable record
// fails the step naming the file and the record. Either way the count is 0.
struct FailureRow {
    const char* name;
    void (*reader)(App&);
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
    t.app.ws().corrAsd = 1e306;  // any position beyond a degree overflows
    t.app.form1.CheckAster.value = kTicked;  // the asteroid list is wanted
    t.app.ws().*row.count = 12;
    if (!row.bytes.empty()) t.folder.write(row.file, row.bytes);
    std::string thrown;
    try {
        row.reader(t.app);
    } catch (const FileError& e) {
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

// Step "1-Download" and "4-Full map" through the scripted web.
#include "form1/download.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "catalog/catalogue_area.h"
#include "catalog/star_list_reader.h"
#include "form1/full_map.h"
#include "lang/language_file.h"
#include "state/text_file.h"
#include "support/answer_builders.h"
#include "support/fake_platform.h"
#include "support/recorded_answers.h"

namespace sextrix {
namespace {

const std::string kStarUrl =
    "https://archive.eso.org/skycat/servers/usnoa_res?catalogue=usnoa&epoch=2000.0&chart=0&ra=1+34+50&dec=22+11+1"
    "&object=&radmax=20&magbright=0&magfaint=13.&format=2&sort=mr&nout=5000";
const std::string kPrevious = testing::starAnswer(2);
// The first query pages (usnoa, mpcheck); the current services have tests of their own.
const std::string kFirstHosts = "star=usnoa:archive.eso.org\r\nasteroid=mpcheck:scully.cfa.harvard.edu\r\n";

// The centre 1 h 34 min 50 s, +22 11 01 at 2000.0, and a previous answer.
struct DownloadFixture {
    DownloadFixture() {
        Form1Model& f = t.app.form1;
        const char* centre[6] = {"1", "34", "50", "22", "11", "01"};
        for (int k = 0; k < 3; ++k) f.txt_ra[k].text = centre[k], f.txt_dec[k].text = centre[k + 3];
        t.folder.write("data.txt", kPrevious);
        t.folder.write("data.area", formatCatalogueArea({1, 2, 20, 13, "usnoa:x"}, kPrevious));
        t.folder.write("hosts.cfg", kFirstHosts);
        auto& lang = t.app.ctx.lang;
        for (int i : {8, 9, 10, 11, 21, 22, 23}) lang.messages[i] = "message " + std::to_string(i);
        lang.suggestionTexts[15] = "A newer version is out";
    }
    App& app() { return t.app; }
    std::vector<std::string> urls() const {
        std::vector<std::string> u;
        for (const auto& r : t.fake.http.requests) u.push_back(r.url);
        return u;
    }
    testing::TestApp t;
};

TEST(Download, SendsTheQueryToTheHostOfHostsCfg) {
    DownloadFixture d;
    DownloadData_Click(d.app());
    ASSERT_EQ(d.urls(), std::vector<std::string>{kStarUrl});
    EXPECT_EQ(d.t.fake.http.requests[0].timeoutMs, 30000);

    d.t.folder.write("hosts.cfg", "star=usnoa:http://127.0.0.1:8080/\r\ntimeout=7\r\n");
    DownloadData_Click(d.app());
    EXPECT_EQ(d.t.fake.http.requests.back().url, "http://127.0.0.1:8080" + kStarUrl.substr(23));
    EXPECT_EQ(d.t.fake.http.requests.back().timeoutMs, 7000);
}

// A line of hosts.cfg that is not taken is named in the status list, with
// its file and number and what is used instead.
TEST(Download, NamesTheLinesOfHostsCfgItCannotTake) {
    DownloadFixture d;
    d.t.folder.write("hosts.cfg", "Star=USNOA:archive.eso.org\r\nasteroid=skybot:\r\nnonsense\r\n");
    DownloadData_Click(d.app());
    const std::string at = d.app().programFile("hosts.cfg") + ", line ";
    const auto& items = d.app().form1.status.items;  // the first lines are at the bottom
    EXPECT_EQ(std::vector<std::string>(items.end() - 2, items.end()),
              (std::vector<std::string>{
                  at + "3: not understood, the line is ignored.",
                  at + "2: not understood; asteroid=skybot:" + std::string(kSkybotAddress) + " is used instead."}));
}

// Whatever goes wrong, data.txt stays byte for byte and a status line names
// the host and the reason; only a complete answer replaces it.
TEST(Download, KeepsThePreviousAnswerUnlessANewOneArrivesWhole) {
    using Answer = testing::FakeHttp::Answer;
    Answer refused, silent, huge, long_;
    refused.error = "Connection refused";
    silent.body = testing::starAnswer(3).substr(0, 500), silent.timeOut = true;
    huge.hugeBytes = 20'000'000;
    long_.hugeBytes = 2'000'000;
    const struct {
        const char* name;
        Answer answer;
        bool cancel, kept;
        const char* said;  // in the transfer's line
        const char* lang = "";
    } rows[] = {
        {"server error", Answer::withBody(500, "<html>oops</html>"), false, true, "HTTP 500 error: \"oops\""},
        {"refused", refused, false, true, "Connection refused"},
        {"time-out", silent, false, true, "no answer from the server for 30 s"},
        {"20 MB", huge, false, true, "answer too large (> 16384 KB)"},
        {"cancelled", long_, true, true, "download cancelled"},
        {"not an answer", Answer::withBody(200, "<html><body>Service moved</body></html>"), false, true,
         "not a catalogue answer: \"Service moved\""},
        {"good answer", Answer::withBody(200, testing::starAnswer(40)), false, false, "KB received"},
        {"small answer", Answer::withBody(200, testing::starAnswer(1)), false, false, "bytes received"},
        {"404 in French", Answer::withBody(404, "<h1>Introuvable</h1>"), false, true,
         ": erreur HTTP 404: \"Introuvable\". Le fichier", "lang-fr.cfg"},
        {"20 MB in French", huge, false, true, "(> 16384 Ko)", "lang-fr.cfg"},
        {"small in French", Answer::withBody(200, testing::starAnswer(1)), false, false, "octets reçus", "lang-fr.cfg"},
    };
    for (const auto& row : rows) {
        DownloadFixture d;
        if (*row.lang)
            d.app().ctx.lang =
                parseLanguageFile(readFileBytes(testing::dataFile(row.lang)).value(), row.lang, d.app().ctx.lang)
                    .value();
        d.t.fake.http.answer(kStarUrl, row.answer);
        int blocksSeen = 0;
        if (row.cancel)
            d.t.fake.onYield = [&] {
                if (d.app().form1.CancelDownload.visible && ++blocksSeen == 3) CancelDownload_Click(d.app());
            };
        DownloadData_Click(d.app());
        const Form1Model& f = d.app().form1;
        EXPECT_EQ(d.t.folder.read("data.txt"), row.kept ? kPrevious : row.answer.body) << row.name;
        EXPECT_FALSE(fileExists(d.t.folder.file("data.txt.download"))) << row.name;
        // The area follows its answer: the new centre, or the kept file's.
        const auto area = readCatalogueArea(d.t.folder.read("data.area"), "data.area", d.t.folder.read("data.txt"))
                              .valueOr(std::nullopt);
        ASSERT_TRUE(area) << row.name;
        EXPECT_NEAR(area->raDeg, row.kept ? 1 : 23.7083, 1e-4) << row.name;
        // "downloaded" follows the transfer's line only when the answer came.
        ASSERT_EQ(f.status.items.size(), row.kept ? 2u : 3u) << row.name;
        const std::string& line = f.status.items[row.kept ? 0 : 1];
        EXPECT_EQ(line.rfind("archive.eso.org → data.txt: ", 0), 0u) << line;
        EXPECT_NE(line.find(row.said), std::string::npos) << row.name << ": " << line;
        const bool saysKept = line.ends_with(". The previous file is kept.") || line.ends_with("conservé.");
        EXPECT_EQ(saysKept, row.kept) << line;
        EXPECT_TRUE(!f.CancelDownload.visible && f.icoG.visible) << row.name;
    }
}

// With the hosts of a first start, the star list comes from VizieR and
// arrives in the layout the reader takes.
TEST(Download, ConvertsTheCurrentServiceAnswerOnArrival) {
    DownloadFixture d;
    d.t.folder.write("hosts.cfg", "timeout=30\r\n");
    DownloadData_Click(d.app());  // nothing served yet: only learns the URL
    ASSERT_EQ(d.urls().size(), 1u);
    const std::string url = d.urls()[0];
    EXPECT_EQ(url.rfind("https://vizier.cds.unistra.fr/viz-bin/asu-tsv?-source=I/252/out&", 0), 0u) << url;
    d.t.fake.http.serve(url, testing::recordedAnswer("vizier/usnoa2_1h34_p22.tsv"));
    DownloadData_Click(d.app());
    const auto stars = parseStarList(d.t.folder.read("data.txt"), "data.txt", 1, 1).value();
    ASSERT_EQ(stars.size(), 5u);
    EXPECT_EQ(stars[0].id.front(), 'U');
}

// A box that holds no number refuses the step, naming the box in the
// window's language; the light stays red.
TEST(Download, RefusesABoxThatHoldsNoNumberAndNamesIt) {
    using Box = TextBox& (*)(Form1Model&);
    const struct {
        Box box;
        const char *text, *lang, *message;
        std::size_t urls;
    } rows[] = {
        {[](Form1Model& f) -> TextBox& { return f.txt_dec[1]; }, "1l", "", "Dec 2/3: \"1l\" is not a number.", 0},
        {[](Form1Model& f) -> TextBox& { return f.txt_distance; }, "abc", "", "Field: \"abc\" is not a number.", 0},
        {[](Form1Model& f) -> TextBox& { return f.txt_mag; }, "", "", "Mag limit: \"\" is not a number.", 0},
        {[](Form1Model& f) -> TextBox& { return f.txt_mag; }, "x", "lang-fr.cfg",
         "Mag max : « x » n'est pas un nombre.", 0},
        {[](Form1Model& f) -> TextBox& { return f.txt_Afield; }, "r", "", "Asteroids, Field: \"r\" is not a number.",
         1},
    };
    for (const auto& row : rows) {
        DownloadFixture d;
        Form1Model& f = d.app().form1;
        if (*row.lang)
            d.app().ctx.lang =
                parseLanguageFile(readFileBytes(testing::dataFile(row.lang)).value(), row.lang, d.app().ctx.lang)
                    .value();
        d.app().ws().solved = kTrue, f.CheckAster.value = 1, d.t.fake.answers = {true};
        for (int k = 0; k < 5; ++k) f.txt_Adate[k].text = "1";
        d.t.fake.http.serve(kStarUrl, testing::starAnswer(3));
        row.box(f).text = row.text;
        DownloadData_Click(d.app());
        EXPECT_EQ(d.urls().size(), row.urls) << row.message;
        ASSERT_EQ(d.t.fake.messages.size(), 1u) << row.message;
        EXPECT_EQ(d.t.fake.messages[0].text, row.message);
        EXPECT_TRUE(f.icoR.visible && !f.icoG.visible) << row.message;
    }
}

// The switches and the update check: what is fetched, and when the
// suggestion of a newer version shows.
TEST(Download, FollowsTheSwitchesAndChecksForUpdates) {
    const std::string counter = "https://up.test/compteur.php", version = "https://up.test/version.txt";
    const struct {
        const char* name;
        bool star, update, updateHost;
        const char* published;
        std::vector<std::string> urls;
        bool suggested, silent = false;
    } rows[] = {
        {"same version", true, true, true, "%\r\nnotes", {kStarUrl, counter, version}, false},
        {"other version", true, true, true, "1.5.0\r\n", {kStarUrl, counter, version}, true},
        {"empty version, no stars", false, true, true, "", {counter, version}, false},
        {"LF line ends", true, true, true, "% \nnotes", {kStarUrl, counter, version}, false},
        {"CR line ends", true, true, true, "%\rnotes", {kStarUrl, counter, version}, false},
        {"silent host", true, true, true, "1.5.0", {kStarUrl, counter}, false, true},
        {"no update host", true, true, false, "1.5.0", {kStarUrl}, false},
        {"update check off", false, false, true, "1.5.0", {}, false},
    };
    for (const auto& row : rows) {
        DownloadFixture d;
        if (row.updateHost) d.t.folder.write("hosts.cfg", kFirstHosts + "update=version:up.test\r\n");
        std::string published = row.published;
        if (published.front() == '%') published = programVersion() + published.substr(1);
        testing::FakeHttp::Answer counted = testing::FakeHttp::Answer::withBody(200, "counted");
        counted.timeOut = row.silent, counted.body.resize(row.silent ? 0 : 7);
        d.t.fake.http.answer(counter, counted);
        d.t.fake.http.serve(version, published);
        d.app().ctx.allowStarDownload = row.star ? kTrue : kFalse;
        d.app().ctx.allowUpdateCheck = row.update ? kTrue : kFalse;
        DownloadData_Click(d.app());
        EXPECT_EQ(d.urls(), row.urls) << row.name;
        EXPECT_EQ(d.app().form1.sugestion.caption == "A newer version is out", row.suggested) << row.name;
        EXPECT_EQ(d.app().form1.status.items.front() == "update check: no answer from up.test", row.silent) << row.name;
    }
}

// The boxes hold UT: both asteroid services get the typed time as it
// stands, whatever this machine's time zone.
TEST(Download, AsksForAsteroidsOnceSolvedWithPaddedBoxesAndTheTypedUt) {
    const char* zone = std::getenv("TZ");
    const std::string savedZone = zone ? zone : "";
    setenv("TZ", "Europe/Paris", 1);  // an hour east of UT in December
    tzset();
    DownloadFixture d;
    Form1Model& f = d.app().form1;
    d.app().ctx.decimalSeparator = ',';
    d.app().ws().solved = kTrue;
    f.CheckAster.value = 1;
    f.txt_ra[1].text = "5";
    f.txt_dec_sign_show[0].caption = "-";
    const char* date[5] = {"5", "12", "2026", "22", "30"};
    for (int k = 0; k < 5; ++k) f.txt_Adate[k].text = date[k];
    const std::string asteroidUrl =
        "https://scully.cfa.harvard.edu/~cgi/MPCheck.COM?year=2026&month=12&day=5,94&which=pos&ra=01+05+50"
        "&decl=-22+11+01&TextArea=&radius=100&limit=16.0&oc=500&sort=d&mot=h&tmot=s&pdes=u&needed=f&ps=n&type=p";
    const std::string page = testing::asteroidPage({testing::asteroidLine({})});
    d.t.fake.http.serve(asteroidUrl, page);
    d.t.fake.answers = {true};
    DownloadData_Click(d.app());
    EXPECT_EQ(f.txt_ra[0].text, "01");
    EXPECT_EQ(d.urls().back(), asteroidUrl);
    EXPECT_EQ(d.urls()[0].find("ra=1+5+50&dec=-22+11+1"), kStarUrl.find("ra=")) << d.urls()[0];
    EXPECT_EQ(d.t.folder.read("data2.txt"), page);

    d.t.folder.write("hosts.cfg", "star=usnoa:archive.eso.org\r\nasteroid=skybot:sky.test\r\n");
    d.t.fake.answers = {true};
    DownloadData_Click(d.app());
    EXPECT_NE(d.urls().back().find("-ep=2461380.44&"), std::string::npos) << d.urls().back();
    zone ? setenv("TZ", savedZone.c_str(), 1) : unsetenv("TZ");
    tzset();
}

TEST(Download, ASecondStepWhileATransferRunsIsIgnored) {
    DownloadFixture d;
    testing::FakeHttp::Answer slow;
    slow.hugeBytes = 100'000;
    d.t.fake.http.answer(kStarUrl, slow);
    d.app().ws().solved = kTrue;
    d.t.fake.onYield = [&] {
        DownloadData_Click(d.app());
        FullMap_Click(d.app());
    };
    DownloadData_Click(d.app());
    EXPECT_EQ(d.urls().size(), 1u);
    EXPECT_EQ(d.app().form1.txt_mag.text, "13");
}

TEST(FullMap, FetchesTheDeeperAnswerAndRestoresTheIdentificationLimit) {
    DownloadFixture d;
    Form1Model& f = d.app().form1;
    f.txt_corrasd.text = "1409.57", f.txt_corrdec.text = "1440";
    d.app().ws().corrAsd = 1409.57, d.app().ws().corrDec = 1440;
    for (const char* name : {"deepobj1.txt", "deepobj2.txt"}) d.t.folder.write(name, "header\r\ncolumns\r\n");
    d.t.folder.write("data2.txt", testing::asteroidPage({}));
    std::string deeper = kStarUrl;
    deeper.replace(deeper.find("magfaint=13."), 12, "magfaint=16.");
    d.t.fake.http.serve(deeper, testing::starAnswer(600));

    FullMap_Click(d.app());  // not solved: only the advice
    EXPECT_TRUE(d.urls().empty());

    d.app().ws().solved = kTrue;
    FullMap_Click(d.app());
    EXPECT_EQ(d.urls(), std::vector<std::string>{deeper});
    EXPECT_EQ(f.txt_mag.text, "13");
    EXPECT_EQ(d.app().ws().catTotal, 600);
    EXPECT_EQ(f.status.items.front(), "message 11OK");
    EXPECT_TRUE(d.t.fake.messages.empty()) << d.t.fake.messages[0].text;
}

}  // namespace
}  // namespace sextrix

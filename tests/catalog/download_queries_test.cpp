// The texts of the two catalogue queries, hosts.cfg, and which bodies the
// design protocols take as answers.
#include "catalog/download_queries.h"

#include <gtest/gtest.h>

#include <array>

#include "catalog/download_protocols.h"
#include "catalog/hosts_file.h"
#include "catalog/service_text.h"
#include "support/answer_builders.h"

namespace sextrix {
namespace {

// Star query texts from the sexagesimal centre: seconds rounded half to
// even, no carry; the declination's sign from the typed sign.
TEST(StarQueryText, SplitsRoundsAndSigns) {
    const struct {
        const char* name;
        double value;  // hours for RA, degrees for Dec
        bool ra;
        const char* sign;
        const char* text;
    } rows[] = {
        {"example ra 1h34m50s", 1 + 34 / 60.0 + 50 / 3600.0, true, "", "1+34+50"},
        {"example dec 22d11m01s", 22 + 11 / 60.0 + 1 / 3600.0, false, "", "22+11+1"},
        {"dec -0d30m", -0.5, false, "-", "-0+30+0"},
        {"59.5 s go to 60", 2 + 10 / 60.0 + 59.5 / 3600.0, true, "", "2+10+60"},
        {"58.5 s go to 58", 2 + 10 / 60.0 + 58.5 / 3600.0, true, "", "2+10+58"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.ra ? raQueryText(row.value) : decQueryText(row.value, row.sign), row.text) << row.name;
}

TEST(QueryText, IsTheServicesLayoutByteForByte) {
    EXPECT_EQ(usnoaQuery("2000.0", "1+34+50", "22+11+1", "20", "13"),
              "/skycat/servers/usnoa_res?catalogue=usnoa&epoch=2000.0&chart=0&ra=1+34+50&dec=22+11+1&object=&radmax=20"
              "&magbright=0&magfaint=13.&format=2&sort=mr&nout=5000");
    EXPECT_NE(usnoaQuery("2000.0", "1+34+50", "22+11+1", "20", "13.5").find("&magfaint=13.5.&format=2"),
              std::string::npos);
    EXPECT_EQ(mpcheckQuery("2026", "12", "5.94", "01+34+50", "-05+01+09", "100", "16.0"),
              "/~cgi/MPCheck.COM?year=2026&month=12&day=5.94&which=pos&ra=01+34+50&decl=-05+01+09&TextArea="
              "&radius=100&limit=16.0&oc=500&sort=d&mot=h&tmot=s&pdes=u&needed=f&ps=n&type=p");
}

TEST(AsteroidDay, AddsTheFractionRoundedToHundredths) {
    const struct {
        double day, hour, minute, expected;
    } rows[] = {{5, 22, 30, 5.94}, {31, 23, 59, 32}, {10, 3, 0, 10.12}};
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ(dayWithFraction(row.day, row.hour, row.minute), row.expected)
            << row.day << " " << row.hour << ":" << row.minute;
}

// Each row: the file, the settings read, the lines not taken and their settings.
TEST(HostsFile, ReadsItsLinesAndNamesTheOnesItCannotTake) {
    const HostsSettings d;
    auto text = [](const ServiceAddress& a) { return a.protocol + ":" + a.address; };
    const struct {
        const char* text;
        std::string star, asteroid, update;
        int timeout;
        std::string problems;
    } rows[] = {
        {"# mine\n\nstar=usnoa:http://127.0.0.1:8080\nasteroid = mpcheck : mpc.test\nproxy=x:y\njust text\n"
         "update=version:up.test\ntimeout=5\n",
         "usnoa:http://127.0.0.1:8080", "mpcheck:mpc.test", "version:up.test", 5, "5,6,"},
        {"star=vizier:vizier.test\r\ntimeout=12\rupdate=\r\n", "vizier:vizier.test", text(d.asteroid), ":", 12, ""},
        {"star=archive.eso.org\nasteroid=mpcheck:\nupdate=Bad Name:x\ntimeout=0\n", text(d.star), text(d.asteroid), ":",
         30, "1star,2asteroid,3update,4timeout,"},
        {"timeout=abc\ntimeout=99999\ntimeout=3s\n", text(d.star), text(d.asteroid), ":", 30,
         "1timeout,2timeout,3timeout,"},
        {"Star=USNOA:Eso.Test\nasteroid=SkyBoT:http://vo.imcce.fr/\n", "usnoa:Eso.Test", text(d.asteroid), ":", 30,
         "2asteroid,"},
    };
    for (const auto& row : rows) {
        const HostsReading r = readHostsFile(row.text, "hosts.cfg");
        std::string problems;
        for (const HostsProblem& p : r.problems) problems += std::to_string(p.error.line) + p.setting + ",";
        EXPECT_EQ(
            text(r.settings.star) + " " + text(r.settings.asteroid) + " " + text(r.settings.update) + " " +
                std::to_string(r.settings.timeoutSeconds) + " " + problems,
            row.star + " " + row.asteroid + " " + row.update + " " + std::to_string(row.timeout) + " " + row.problems)
            << row.text;
    }
    // What the program writes at first start reads back as the defaults.
    const HostsReading again = readHostsFile(formatHostsFile(d), "hosts.cfg");
    EXPECT_EQ(text(again.settings.star) + " " + text(again.settings.asteroid), text(d.star) + " " + text(d.asteroid));
    EXPECT_TRUE(again.settings.update.empty() && again.problems.empty());
}

// A line not taken is said with its file and what is used instead.
TEST(HostsFile, ProblemsSayWhatIsUsedInstead) {
    const HostsReading r = readHostsFile("timeout=0\nproxy=x\n", "/p/hosts.cfg");
    ASSERT_EQ(r.problems.size(), 2u);
    EXPECT_EQ(describe(r.problems[0].error), "/p/hosts.cfg, line 1: not understood; timeout=30 is used instead");
    EXPECT_EQ(describe(r.problems[1].error), "/p/hosts.cfg, line 2: not understood; the line is ignored");
}

TEST(HostsFile, AddressWithoutSchemeGoesToHttps) {
    EXPECT_EQ(serviceBase("archive.eso.org"), "https://archive.eso.org");
    EXPECT_EQ(serviceBase("http://127.0.0.1:8080/"), "http://127.0.0.1:8080");
    EXPECT_EQ(serviceBase("https://host.test/mirror"), "https://host.test/mirror");
    // A host takes the protocol's page; an address with a path is the page.
    const char* const rows[][2] = {{"h.test", "https://h.test/q.php?b=2"},
                                   {"h.test/p/", "https://h.test/p?b=2"},
                                   {"https://h.test/p?a=1", "https://h.test/p?a=1&b=2"}};
    for (const auto& row : rows) EXPECT_EQ(serviceUrl(row[0], "/q.php?b=2"), row[1]) << row[0];
}

// Which bodies the first protocols (usnoa, mpcheck) accept: records, or a well-formed
// result with none; never an error page.
// The words a service sent instead of an answer, as one short line.
TEST(ServiceMessage, IsTheFirstLineWithWordsWithoutMarkup) {
    const std::string longLine = "Error: " + std::string(200, 'x');
    const std::array<std::array<std::string, 2>, 6> rows{{
        {"<html><head><style>p {}</style><title>503  Service\tUnavailable</title>", "503 Service Unavailable"},
        {"\r\n<!-- a\nnote -->\r\n<p>Bad <b>radius</b></p>", "Bad radius"},
        {"#\n#++++\n#INFO Error: unknown source\n", "INFO Error: unknown source"},
        {"<script>\nvar x;\n</script>\n\n", ""},
        {"mag < 5\rnext", "mag < 5"},
        {longLine, longLine.substr(0, 120) + "…"},
    }};
    for (const auto& row : rows) EXPECT_EQ(serviceMessage(row[0]), row[1]) << row[0];
}

TEST(ProtocolAnswer, AcceptsAnswersAndWellFormedEmptyResultsOnly) {
    const std::string htmlError =
        "<html><head><title>500</title></head><body><h1>Internal Server Error</h1>"
        "<pre>Traceback</pre></body></html>\n";
    std::string crlfStars = testing::starAnswer(3);
    for (std::size_t at = 0; (at = crlfStars.find('\n', at)) != std::string::npos; at += 2) crlfStars.insert(at, "\r");
    const struct {
        const char* name;
        bool star;
        std::string body;
        bool accepted;
    } rows[] = {
        {"stars", true, testing::starAnswer(3), true},
        {"no star", true, testing::starAnswer(0), true},
        {"empty body", true, "", false},
        {"error page", true, htmlError, false},
        {"stars with CR LF, unreadable", true, crlfStars, false},
        {"heading never closed", true, "<pre>\n<b>   # USNO-A2.0\n", false},
        {"asteroids", false, testing::asteroidPage({testing::asteroidLine({})}), true},
        {"no asteroid", false, testing::asteroidPage({}), true},
        {"asteroid page of prose", false, testing::asteroidPage({"No such object in the field, sorry."}), false},
    };
    for (const auto& row : rows) {
        const AnswerOutcome outcome =
            row.star ? findProtocol(starProtocols(), "usnoa")->answer(row.body, StarQuery{})
                     : findProtocol(asteroidProtocols(), "mpcheck")->answer(row.body, AsteroidQuery{});
        EXPECT_EQ(outcome.ok(), row.accepted) << row.name;
        if (outcome) EXPECT_EQ(outcome->bytes, row.body) << row.name;
    }
}

}  // namespace
}  // namespace sextrix

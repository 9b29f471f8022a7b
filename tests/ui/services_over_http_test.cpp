// Each download protocol over a real HTTP server on 127.0.0.1: the request
// reaches the service's page, and the answer, converted where the service
// needs it, becomes an answer file the readers take.
#include <gtest/gtest.h>

#include "catalog/asteroid_list_reader.h"
#include "catalog/star_list_reader.h"
#include "form1/download.h"
#include "local_http_server.h"
#include "qtio/qt_http.h"
#include "support/answer_builders.h"
#include "support/fake_platform.h"
#include "support/recorded_answers.h"
#include "support/typed_centre.h"

namespace sextrix {
namespace {

struct ServiceRow {
    const char* name;
    const char* protocol;
    bool asteroids;
    const char* page;  // the path the request must start with
    std::string answer;
    std::size_t entries;       // what the reader then finds (SkyBoT: V at most 16.0)
    const char* ownPage = "";  // a path written after the address in hosts.cfg
};

std::ostream& operator<<(std::ostream& os, const ServiceRow& row) { return os << row.name; }

class ServiceOverHttp : public ::testing::TestWithParam<ServiceRow> {};

TEST_P(ServiceOverHttp, FetchesAndStoresAnAnswerTheReaderTakes) {
    const ServiceRow& row = GetParam();
    testing::LocalHttpServer server([&](const std::string&) {
        return testing::LocalHttpServer::Reply{200, row.answer};
    });
    testing::FakePlatform fake;
    qtio::QtHttp http;
    Platform platform{fake, fake, fake, fake, fake, fake, http};
    testing::TempFolder folder;
    App app(platform);
    app.ctx.programFolder = folder.path();
    // The star service is switched off for an asteroid row, so the server sees one request.
    const std::string service = std::string(row.protocol) + ":" + server.base() + row.ownPage;
    folder.write("hosts.cfg", std::string(row.asteroids ? "asteroid=" : "star=") + service + "\r\n");
    app.ctx.allowStarDownload = row.asteroids ? kFalse : kTrue;
    Form1Model& f = app.form1;
    testing::typeCentre(f, {{"10", "00", "00"}, "-", {"00", "12", "00"}});
    f.txt_Adate = {{{"30"}, {"12"}, {"2023"}, {"12"}, {"0"}}};
    f.ws.solved = kTrue;
    f.CheckAster.value = 1;
    fake.answers = {true};

    DownloadData_Click(app);

    ASSERT_EQ(server.paths.size(), 1u);
    EXPECT_EQ(server.paths[0].rfind(row.page, 0), 0u) << server.paths[0];
    if (row.asteroids)
        EXPECT_EQ(parseAsteroidList(folder.read("data2.txt"), "data2.txt", 2400, 3600).value().size(), row.entries);
    else
        EXPECT_EQ(parseStarList(folder.read("data.txt"), "data.txt", 2400, 3600).value().size(), row.entries);
}

INSTANTIATE_TEST_SUITE_P(
    Protocols, ServiceOverHttp,
    ::testing::Values(ServiceRow{"VizieR", "vizier", false, "/viz-bin/asu-tsv?-source=I/252/out&",
                                 testing::recordedAnswer("vizier/usnoa2_1h34_p22.tsv"), 5},
                      ServiceRow{"UsnoaPage", "usnoa", false, "/skycat/servers/usnoa_res?catalogue=usnoa&",
                                 testing::starAnswer(4), 4},
                      ServiceRow{"SkyBoT", "skybot", true, "/webservices/skybot/api/conesearch.php?-ep=",
                                 testing::recordedAnswer("skybot/cone_10h_m0.txt"), 4},
                      ServiceRow{"SkyBoTMoved", "skybot", true, "/moved/cone.php?-ep=",
                                 testing::recordedAnswer("skybot/cone_10h_m0_object.txt"), 4, "/moved/cone.php"},
                      ServiceRow{"MPChecker", "mpcheck", true, "/~cgi/MPCheck.COM?year=2023&month=12&day=30.5&",
                                 testing::asteroidPage({testing::asteroidLine({}), testing::asteroidLine({})}), 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix

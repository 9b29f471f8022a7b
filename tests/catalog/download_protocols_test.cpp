#include "catalog/download_protocols.h"

#include <gtest/gtest.h>

#include <string>

#include "catalog/star_list_reader.h"
#include "support/answer_builders.h"
#include "support/recorded_answers.h"

namespace sextrix {
namespace {

using testing::cutAfter;
using testing::recordedAnswer;
using testing::replaced;

// A body as each protocol judges it: accepted with what the star reader then
// finds, or refused as not an answer or as cut short (the connection closed
// before the answer's end, here always at a line end).
TEST(ProtocolAnswer, IsAcceptedOnlyWhenWholeAndShapedAsTheReaderReadsIt) {
    const std::string usnoa = testing::starAnswer(60);
    const std::string vizier = recordedAnswer("vizier/usnoa2_1h34_p22.tsv");
    const std::string mpcheck = testing::asteroidPage({testing::asteroidLine({})});
    const std::string skybot = recordedAnswer("skybot/cone_10h_m0.txt");
    const std::string html = "<html><body><h1>500 Internal Server Error</h1></body></html>\n";
    const struct {
        const char* name;
        const char* protocol;
        std::string body;
        std::string_view refusal;  // empty: accepted
        int stars;                 // what the reader finds when accepted
    } rows[] = {
        {"page whole", "usnoa", usnoa, {}, 60},
        {"<PRE> in capitals", "usnoa", replaced(replaced(usnoa, "<pre>", "<PRE>"), "</pre>", "</PRE>"), {}, 60},
        {"<Pre> mixed", "usnoa", replaced(usnoa, "<pre>", "<Pre>"), {}, 60},
        {"page of no star", "usnoa", testing::starAnswer(0), {}, 0},
        {"page cut after 16 records", "usnoa", cutAfter(usnoa, "  17 U", 0), kCutAnswer, 0},
        {"page without closing tags", "usnoa", cutAfter(usnoa, "</body>", 0), kCutAnswer, 0},
        {"server error page", "usnoa", html, kNotAnAnswer, 0},
        {"VizieR table", "vizier", vizier, {}, 5},
        {"VizieR field with no match", "vizier", recordedAnswer("vizier/usnoa2_no_match.tsv"), {}, 0},
        {"no match, no count line",
         "vizier",
         cutAfter(recordedAnswer("vizier/usnoa2_no_match.tsv"), "#INFO\tm", 0),
         {},
         0},
        {"VizieR cut at a row's end", "vizier", cutAfter(vizier, "1125-00575988\t12.7\t13.1\n", 25), kCutAnswer, 0},
        {"VizieR cut before its last line", "vizier", cutAfter(vizier, "#INFO\tmatches", 0), kCutAnswer, 0},
        {"VizieR error", "vizier", "#\n#***Error: unknown catalogue\n#INFO\tmatches=0\tmatching records\n",
         kNotAnAnswer, 0},
        {"HTML page for VizieR", "vizier", html, kNotAnAnswer, 0},
        {"empty body", "vizier", "", kNotAnAnswer, 0},
        {"checker page whole", "mpcheck", mpcheck, {}, 0},
        {"checker page cut in its trailer", "mpcheck", cutAfter(mpcheck, "trailer line 30", 0), kCutAnswer, 0},
        {"SkyBoT table", "skybot", skybot, {}, 0},
        {"SkyBoT cut inside a line", "skybot", cutAfter(skybot, "4 | Vesta", 9), kCutAnswer, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const AnswerOutcome outcome =
            std::string_view(row.protocol) == "mpcheck" || std::string_view(row.protocol) == "skybot"
                ? findProtocol(asteroidProtocols(), row.protocol)->answer(row.body, {})
                : findProtocol(starProtocols(), row.protocol)->answer(row.body, {});
        EXPECT_EQ(outcome ? "" : outcome.error().cause, row.refusal);
        if (outcome && row.protocol != std::string_view("mpcheck") && row.protocol != std::string_view("skybot")) {
            EXPECT_EQ(parseStarList(outcome->bytes, "data.txt", 1, 1).value().size(),
                      static_cast<std::size_t>(row.stars));
            EXPECT_EQ(outcome->summary, std::to_string(row.stars) + " stars");
        }
    }
}

}  // namespace
}  // namespace sextrix

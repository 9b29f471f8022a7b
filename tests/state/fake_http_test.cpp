// The scripted web of the core tests answers as the real one does: blocks in
// order, failures after what came before them, a cancel at once.
#include "support/fake_http.h"
#include "support/fake_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sextrix::testing {
namespace {

struct FakeRow {
    const char* name;
    const char* url;
    int cancelAtBlock;  // 0: never
    std::vector<std::string> blocks;
    int status;
    const char* error;
    bool cancelled, timedOut;
};

std::ostream& operator<<(std::ostream& os, const FakeRow& row) { return os << row.name; }

class FakeHttpGet : public ::testing::TestWithParam<FakeRow> {};

TEST_P(FakeHttpGet, AnswersAsScripted) {
    const FakeRow& row = GetParam();
    TempFolder folder;
    folder.write("stars.txt", "0123456789");
    FakeHttp http;
    http.blockSize = 4;
    http.serve("http://a.test/body", "abcdefghij");
    http.serveFolder("http://cat.test/", folder.path());
    FakeHttp::Answer dropped = FakeHttp::Answer::withBody(200, "abcde");
    dropped.error = "Connection reset";
    http.answer("http://a.test/dropped", dropped);
    FakeHttp::Answer silent;
    silent.timeOut = true;
    http.answer("http://a.test/silent", silent);
    FakeHttp::Answer huge;
    huge.hugeBytes = 1'000'000'000'000;
    http.answer("http://a.test/huge", huge);

    HttpRequest request;
    request.url = row.url;
    request.timeoutMs = 250;
    std::vector<std::string> blocks;
    const HttpResult result = http.get(request, [&](std::string_view block) {
        blocks.emplace_back(block);
        return static_cast<int>(blocks.size()) != row.cancelAtBlock;
    });

    EXPECT_EQ(blocks, row.blocks);
    EXPECT_EQ(result.status, row.status);
    EXPECT_EQ(result.error, row.error);
    EXPECT_EQ(result.cancelled, row.cancelled);
    EXPECT_EQ(result.timedOut, row.timedOut);
    ASSERT_EQ(http.requests.size(), 1u);
    EXPECT_EQ(http.requests[0].url, row.url);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, FakeHttpGet,
    ::testing::Values(
        FakeRow{"BodyInBlocks", "http://a.test/body", 0, {"abcd", "efgh", "ij"}, 200, "", false, false},
        FakeRow{"FileOfAFolder", "http://cat.test/stars.txt", 0, {"0123", "4567", "89"}, 200, "", false, false},
        FakeRow{"UnknownAddress", "http://cat.test/none.txt", 0, {}, 404, "HTTP 404 Not Found", false, false},
        FakeRow{"ErrorAfterPartOfTheBody",
                "http://a.test/dropped",
                0,
                {"abcd", "e"},
                200,
                "Connection reset",
                false,
                false},
        FakeRow{"TimeOutBeforeAnyByte",
                "http://a.test/silent",
                0,
                {},
                0,
                "No answer from the server for 250 ms",
                false,
                true},
        FakeRow{"HugeBodyCancelled",
                "http://a.test/huge",
                3,
                {"0123", "4567", "8901"},
                200,
                "Download cancelled",
                true,
                false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix::testing

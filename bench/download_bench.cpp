// The download path on large bodies: blocks written to the temporary file,
// the status line kept up to date, the answer checked and put in place. Its
// cost must grow with the size of the body, not its square.
#include <benchmark/benchmark.h>

#include <limits>

#include "form1/download.h"
#include "support/answer_builders.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

void DownloadToFileMegabytes(benchmark::State& state) {
    const std::size_t size = static_cast<std::size_t>(state.range(0)) << 20;
    std::string body = testing::starAnswer(4000);  // a real answer, padded out
    body.resize(size, ' ');
    testing::TestApp t;
    t.fake.http.blockSize = 16384;
    t.fake.http.serve("http://cat.test/answer", body);
    DownloadOptions options;
    options.host = "cat.test";
    options.maxBytes = std::numeric_limits<std::uint64_t>::max();
    options.accept = [](std::string answer) {
        return starAnswerRefusal(answer).empty() ? AnswerOutcome(AcceptedAnswer{std::move(answer), {}})
                                                 : refusedAnswer("refused");
    };
    const std::string path = t.folder.file("data.txt");
    for (auto _ : state) {
        if (DownloadToFile(t.app, "http://cat.test/answer", path, options) != Transfer::Replaced)
            state.SkipWithError("refused");
        t.app.form1.status.items.clear();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(DownloadToFileMegabytes)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
}  // namespace sextrix

// The catalogue readers at full size: a 4000-record star answer, and both
// shipped deep-sky files around a dense field.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "catalog/deep_sky_reader.h"
#include "catalog/star_list_reader.h"
#include "catalog/vizier_stars.h"
#include "form1/catalogue_files.h"
#include "support/answer_builders.h"
#include "support/fake_platform.h"
#include "support/typed_centre.h"

namespace sextrix {
namespace {

void StarListParse4000(benchmark::State& state) {
    const std::string answer = testing::starAnswer(4000);
    for (auto _ : state) {
        auto stars = parseStarList(answer, "data.txt", 2599.43, 2709.96);
        benchmark::DoNotOptimize(stars->data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * answer.size()));
}
BENCHMARK(StarListParse4000)->Unit(benchmark::kMillisecond);

// A full VizieR answer (5000 USNO-A2.0 rows, served in a shuffled magnitude
// order) converted into the star answer and read, as one download is.
std::string vizierAnswer5000() {
    std::string tsv =
        "#\n#   VizieR Astronomical Server vizier.cds.unistra.fr\n"
        "_RAJ2000\t_DEJ2000\tUSNO-A2.0\tRmag\tBmag\ndeg\tdeg\t\tmag\tmag\n"
        "----------\t----------\t-------------\t----\t----\n";
    char row[96];
    for (int i = 0; i < 5000; ++i) {
        const int tenths = 80 + (i * 37) % 100;  // 8.0 .. 17.9, not in order
        std::snprintf(row, sizeof row, "%010.6f\t%+010.6f\t1125-%08d\t%4.1f\t%4.1f\n", 23.5 + i * 0.00008,
                      22.0 + (i % 71) * 0.005, 576000 + i, tenths / 10.0, tenths / 10.0 + 0.8);
        tsv += row;
    }
    return tsv + "\n";
}

void VizierConvertAndRead5000(benchmark::State& state) {
    const std::string tsv = vizierAnswer5000();
    for (auto _ : state) {
        const auto answer = starAnswerFromVizier(tsv, VizierCatalogue::UsnoA2);
        if (!answer) {
            state.SkipWithError("the answer was refused");
            return;
        }
        auto stars = parseStarList(*answer, "data.txt", 2599.43, 2709.96);
        benchmark::DoNotOptimize(stars->data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * tsv.size()));
}
BENCHMARK(VizierConvertAndRead5000)->Unit(benchmark::kMillisecond);

// A 20' field on M 87 in the Virgo cluster, at the usual scale factors: a
// window of 1807 units (about 0.7 deg) each way, one of the densest in NGC/IC.
void DeepSkyShippedFiles(benchmark::State& state) {
    testing::TestApp t;
    App& app = t.app;
    app.ctx.programFolder = testing::dataFolder();
    auto& form = app.form1;
    testing::typeCentre(form, {{"12", "30", "49.4"}, "+", {"12", "23", "28"}});
    form.txt_distance.text = "20";
    app.ws().corrAsd = 2599.43;
    app.ws().corrDec = 2709.96;
    const StepCentre centre = CentreJ2000(app);
    READFILE_NGCIC(app, centre);
    if (!t.fake.messages.empty()) {
        state.SkipWithError("a deep-sky file could not be read");
        return;
    }
    for (auto _ : state) {
        READFILE_NGCIC(app, centre);
        form.status.items.clear();
    }
    state.counters["objects"] = app.ws().deepCount;
}
BENCHMARK(DeepSkyShippedFiles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sextrix

// The catalogue readers at full size: a 4000-record star answer, and both
// shipped deep-sky files around a dense field.
#include <benchmark/benchmark.h>

#include <stdexcept>

#include "../tests/catalog/answer_builders.h"
#include "catalog/deep_sky_reader.h"
#include "catalog/star_list_reader.h"
#include "state/app.h"
#include "form1/catalogue_files.h"

namespace sextrix {
namespace {

// A platform that answers nothing and shows nothing.
class QuietPlatform : public Dialogs, public EventLoop, public Windows, public Clock,
                      public ImageDecoder, public TextMeasure, public Http {
public:
    void message(const std::string&, const std::string&, bool) override { ++messages; }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> chooseFile(const FileRequest&) override { return std::nullopt; }
    void yield() override {}
    void showModal(WindowKey) override {}
    LocalDateTime now() override { return {}; }
    DecodedImage decode(const std::string& path) override {
        throw std::runtime_error("no image: " + path);
    }
    int textWidth(const std::string& text) override { return 7 * static_cast<int>(text.size()); }
    HttpResult get(const HttpRequest&, const BlockSink&) override {
        HttpResult none;
        none.error = "no web here";
        return none;
    }
    Platform platform() { return Platform{*this, *this, *this, *this, *this, *this, *this}; }
    int messages = 0;
};

void StarListParse4000(benchmark::State& state) {
    const std::string answer = testing::starAnswer(4000);
    for (auto _ : state) {
        auto stars = parseStarList(answer, 2599.43, 2709.96);
        benchmark::DoNotOptimize(stars.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * answer.size()));
}
BENCHMARK(StarListParse4000)->Unit(benchmark::kMillisecond);

// A 20' field on M 87 in the Virgo cluster, at the usual scale factors: a
// window of 1807 units (about 0.7 deg) each way, one of the densest in NGC/IC.
void DeepSkyShippedFiles(benchmark::State& state) {
    QuietPlatform quiet;
    Platform platform = quiet.platform();
    App app(platform);
    app.ctx.programFolder = SEXTRIX_DATA_DIR;
    auto& form = app.form1;
    form.txt_ra[0].text = "12";
    form.txt_ra[1].text = "30";
    form.txt_ra[2].text = "49.4";
    form.txt_dec[0].text = "12";
    form.txt_dec[1].text = "23";
    form.txt_dec[2].text = "28";
    form.txt_dec_sign_show[0].caption = "+";
    form.txt_epoch.text = "2000.0";
    form.txt_distance.text = "20";
    app.ws().corrAsd = 2599.43;
    app.ws().corrDec = 2709.96;
    READFILE_NGCIC(app);
    if (quiet.messages != 0) {
        state.SkipWithError("a deep-sky file could not be read");
        return;
    }
    for (auto _ : state) {
        READFILE_NGCIC(app);
        form.status.items.clear();
    }
    state.counters["objects"] = app.ws().deepCount;
}
BENCHMARK(DeepSkyShippedFiles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sextrix

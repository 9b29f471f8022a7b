// The information panel's markup at sizes no report reaches, so that a long
// report (every object of a crowded field) stays quick to render: report-like
// lines of eight tags, and opening tags that are never closed.
#include <benchmark/benchmark.h>

#include <string>

#include "details/info_markup.h"

namespace sextrix {
namespace {

std::string reportLines(long tags) {
    std::string markup;
    for (long line = 0; line * 8 < tags; ++line)
        markup += "<B><S2>NGC " + std::to_string(line) + "</S2></B>  <C1>12h 3m 4s</C1> <I>+30" +
                  "\xC2\xB0 10'</I>  <S1>mag 9.5</S1>\r\n";
    return markup;
}

std::string unclosedTags(long tags) {
    std::string markup;
    for (long k = 0; k < tags; ++k) markup += "<B>x";
    return markup;
}

template <std::string (*Markup)(long)>
void BM_renderInfoMarkup(benchmark::State& state) {
    const std::string markup = Markup(state.range(0));
    for (auto _ : state) {
        RichTextPanel panel;
        setText(panel, markup);
        RenderInfoMarkup(panel);
        benchmark::DoNotOptimize(panel.formats.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK_TEMPLATE(BM_renderInfoMarkup, reportLines)->RangeMultiplier(4)->Range(4000, 64000)->Complexity();
BENCHMARK_TEMPLATE(BM_renderInfoMarkup, unclosedTags)->RangeMultiplier(4)->Range(4000, 64000)->Complexity();

}  // namespace
}  // namespace sextrix

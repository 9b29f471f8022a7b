#include "solve_stack.h"

#include <nlohmann/json.hpp>

#include <cstdio>

#include "fits/fits_image.h"
#include "obstime/utc_time.h"
#include "persist/wcs_header.h"
#include "series/stacking.h"
#include "state/text_file.h"

namespace sextrix {

std::optional<StackMethod> stackMethodNamed(const std::string& word) {
    if (word == "mean") return StackMethod::Mean;
    if (word == "median") return StackMethod::Median;
    if (word == "clipped") return StackMethod::ClippedMean;
    return std::nullopt;
}

std::string writeStackOf(std::vector<KeptFrame> frames, const StackRequest& request, bool json) {
    if (frames.size() < 2)
        throw BadInput("--stack needs two solved frames or more, not " + std::to_string(frames.size()));
    std::vector<SeriesFrame> series;
    bool timed = true;
    const ReferenceGrid grid{frames.front().outcome.solution, frames.front().values.width,
                             frames.front().values.height};
    // Each frame's values move into the stack's list: they are held once.
    for (KeptFrame& frame : frames) {
        if (!frame.mjdUtc && request.rate)
            throw BadInput(frame.image + " has no time (" + frame.timeProblem +
                           "): a stack along a motion needs every frame's time");
        timed = timed && frame.mjdUtc.has_value();
        series.push_back({std::move(frame.values), frame.outcome.solution, frame.mjdUtc.value_or(0)});
    }
    const Stack stack = stackFrames(series, grid, {request.method, request.rate.value_or(SkyRate{}), std::nullopt});

    std::vector<std::pair<std::string, std::string>> keywords{{"NCOMBINE", std::to_string(frames.size())}};
    if (timed) keywords.push_back({"DATE-AVG", isoUtcText(stack.midTimeMjd, 3).substr(0, 23)});
    writeFits16(request.path, stack.image, keywords);
    writeFileBytes(wcsSidecarPath(request.path),
                   wcsHeaderText(grid.solution, {grid.width, grid.height, FitsRows::BottomUp}));
    const char* method = request.method == StackMethod::Mean     ? "mean"
                         : request.method == StackMethod::Median ? "median"
                                                                 : "clipped";
    if (json) {
        nlohmann::ordered_json object{{"stack", request.path}, {"frames", frames.size()}, {"method", method}};
        if (request.rate)
            object["rate_arcsec_per_min"] = {request.rate->raCosDecArcsecPerMin, request.rate->decArcsecPerMin};
        if (timed) object["mid_time"] = isoUtcText(stack.midTimeMjd, 3);
        return object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    }
    char along[96] = "along the stars";
    if (request.rate)
        std::snprintf(along, sizeof along, "along %+.3f\"/min in RA cos Dec, %+.3f\"/min in Dec",
                      request.rate->raCosDecArcsecPerMin, request.rate->decArcsecPerMin);
    return "stack     " + request.path + ": " + std::to_string(frames.size()) + " frames, " + method + ", " + along +
           (timed ? ", mid-time " + isoUtcText(stack.midTimeMjd, 1) : std::string()) + "\n";
}

}  // namespace sextrix

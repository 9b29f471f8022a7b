#include "stacking.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <stdexcept>

namespace sextrix {
namespace {

double meanTime(std::span<const SeriesFrame> frames) {
    double sum = 0;
    for (const SeriesFrame& f : frames) sum += f.midTimeMjd;
    return sum / static_cast<double>(frames.size());
}

}  // namespace

LuminanceImage detectableStack(LuminanceImage image) {
    std::vector<float> finite;
    finite.reserve(image.values.size());
    for (float v : image.values)
        if (std::isfinite(v)) finite.push_back(v);
    const auto middle = finite.begin() + static_cast<std::ptrdiff_t>(finite.size() / 2);
    std::nth_element(finite.begin(), middle, finite.end());
    const float background = finite.empty() ? 0 : *middle;
    for (float& v : image.values)
        if (!std::isfinite(v)) v = background;
    return image;
}

Stack stackFrames(std::span<const SeriesFrame> frames, const ReferenceGrid& reference, const StackSettings& settings) {
    if (frames.empty() || frames.size() > std::numeric_limits<std::uint16_t>::max())
        throw std::invalid_argument("a stack takes 1 to 65535 frames");
    if (settings.bandRows < 1) throw std::invalid_argument("a stack's band needs at least one row");
    Stack stack;
    stack.midTimeMjd = meanTime(frames);
    stack.referenceMjd = settings.referenceMjd.value_or(stack.midTimeMjd);
    std::vector<PixelMapping> mappings;
    mappings.reserve(frames.size());
    for (const SeriesFrame& f : frames)
        mappings.push_back(
            pixelMapping(reference, f.solution, offsetOver(settings.rate, stack.referenceMjd, f.midTimeMjd)));

    const int width = reference.width, height = reference.height;
    const auto pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    stack.image.width = width;
    stack.image.height = height;
    stack.image.values.resize(pixels);
    stack.frameCount.resize(pixels);
    stack.image.whiteLevel = std::min_element(frames.begin(), frames.end(), [](const auto& a, const auto& b) {
                                 return a.image.whiteLevel < b.image.whiteLevel;
                             })->image.whiteLevel;

    const std::size_t bandSize = static_cast<std::size_t>(std::min(settings.bandRows, height)) * width;
    std::vector<float> band(bandSize * frames.size());
    std::vector<float> values(frames.size());
    for (int first = 0; first < height; first += settings.bandRows) {
        const int rows = std::min(settings.bandRows, height - first);
        for (std::size_t k = 0; k < frames.size(); ++k)
            resampleRows(frames[k].image, mappings[k], first, rows, band.data() + k * bandSize);
        const std::size_t offset = static_cast<std::size_t>(first) * width;
        for (std::size_t i = 0; i < static_cast<std::size_t>(rows) * width; ++i) {
            std::size_t n = 0;
            for (std::size_t k = 0; k < frames.size(); ++k) {
                const float v = band[k * bandSize + i];
                if (!std::isnan(v)) values[n++] = v;
            }
            stack.image.values[offset + i] = combinePixel(settings.method, std::span<float>(values.data(), n));
            stack.frameCount[offset + i] = static_cast<std::uint16_t>(n);
        }
    }
    return stack;
}

}  // namespace sextrix

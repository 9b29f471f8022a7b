#include "detect/luminance_image.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace sextrix {
namespace {

void checkSize(int width, int height, std::size_t count) {
    if (width < 0 || height < 0)
        throw std::invalid_argument("image size " + std::to_string(width) + " x " + std::to_string(height) +
                                    " is negative");
    if (count != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        throw std::invalid_argument("image of " + std::to_string(width) + " x " + std::to_string(height) +
                                    " pixels given " + std::to_string(count) + " values");
}

}  // namespace

void checkLuminanceImage(const LuminanceImage& image) {
    checkSize(image.width, image.height, image.values.size());
    for (std::size_t k = 0; k < image.values.size(); ++k)
        if (!std::isfinite(image.values[k]))
            throw std::invalid_argument("pixel (" + std::to_string(k % image.width) + ", " +
                                        std::to_string(k / image.width) + ") holds no finite value");
    if (!std::isfinite(image.whiteLevel)) throw std::invalid_argument("the white level is not finite");
}

LuminanceImage makeLuminanceImage(int width, int height, std::vector<float> values, float whiteLevel) {
    LuminanceImage image{width, height, std::move(values), whiteLevel};
    checkLuminanceImage(image);
    return image;
}

LuminanceImage luminanceImage(int width, int height, const std::vector<PackedColour>& pixels) {
    checkSize(width, height, pixels.size());
    std::vector<float> values(pixels.size());
    for (std::size_t k = 0; k < pixels.size(); ++k) {
        const double v = luminance(pixels[k]);
        // Rounded to float, white (255, 255, 255) lands exactly on 255.
        values[k] = v < 0 ? 0.0f : static_cast<float>(v);
    }
    return LuminanceImage{width, height, std::move(values), 255.0f};
}

LuminanceImage luminanceImage(const PictureSurface& picture) {
    if (const auto& raw = picture.rawValues()) return *raw;
    return luminanceImage(picture.width(), picture.height(), picture.imagePixels());
}

}  // namespace sextrix

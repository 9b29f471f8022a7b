#include "qt_images.h"

#include <QImage>
#include <QImageReader>

namespace sextrix::qtio {
namespace {

Result<QImage> readImage(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (!image.isNull()) return image;
    // A missing file is said in the program's words (and language); the rest
    // in the decoder's.
    if (reader.error() == QImageReader::FileNotFoundError) return ReadError{.file = path, .fault = FileFault::NotFound};
    return ReadError{.file = path, .cause = reader.errorString().toStdString()};
}

}  // namespace

DecodedImage toDecodedImage(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    DecodedImage out;
    out.width = rgb.width();
    out.height = rgb.height();
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        PackedColour* row = out.pixels.data() + static_cast<std::size_t>(y) * out.width;
        for (int x = 0; x < out.width; ++x) row[x] = packColour(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
    }
    return out;
}

Result<DecodedImage> decodeImageFile(const std::string& path) {
    Result<QImage> image = readImage(path);
    if (!image) return std::move(image).error();
    return toDecodedImage(*image);
}

Result<LuminanceImage> decodeLuminanceFile(const std::string& path) {
    Result<QImage> read = readImage(path);
    if (!read) return std::move(read).error();
    const QImage& decoded = *read;
    const bool grey = decoded.isGrayscale();
    const QImage image = decoded.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    LuminanceImage out{image.width(), image.height(), {}, 255.0f};
    out.values.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y) {
        float* row = out.values.data() + static_cast<std::size_t>(y) * out.width;
        if (grey) {
            const uchar* line = image.constScanLine(y);
            for (int x = 0; x < out.width; ++x) row[x] = line[x];
        } else {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < out.width; ++x)
                row[x] = static_cast<float>(luminance(packColour(qRed(line[x]), qGreen(line[x]), qBlue(line[x]))));
        }
    }
    return out;
}

}  // namespace sextrix::qtio

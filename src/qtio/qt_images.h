#pragma once
// Pictures decoded by Qt (JPEG, PNG, BMP, GIF, PBM...), for the window and the
// command-line solver alike: as the window's packed colours, or straight to
// the detector's values.
#include <string>

#include "detect/luminance_image.h"
#include "state/platform.h"
#include "state/read_result.h"

class QImage;

namespace sextrix::qtio {

// The picture, or an error naming the file with the decoder's description
// (NotFound for a missing file). The picture is taken as stored: no rotation
// from its EXIF orientation.
Result<DecodedImage> decodeImageFile(const std::string& path);

// The same straight to the detector's values: grey pictures byte for byte,
// colour ones with the window's luminance weights, with no packed copy.
Result<LuminanceImage> decodeLuminanceFile(const std::string& path);

// Packs a decoded Qt image into the core's colour numbers.
DecodedImage toDecodedImage(const QImage& image);

}  // namespace sextrix::qtio

#pragma once
// The middle of a frame's exposure from its own file: the FITS header's when
// the frame is FITS, else the camera's EXIF block brought to UTC.
#include <map>
#include <optional>
#include <string>

#include "observation_time.h"

namespace sextrix {

// fitsKeywords: the header of a FITS frame, null for any other picture.
TimeReading frameTimeOf(const std::string& imagePath, const std::map<std::string, std::string>* fitsKeywords,
                        std::optional<double> cameraUtcOffsetHours);

}  // namespace sextrix

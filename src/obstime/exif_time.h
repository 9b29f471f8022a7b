#pragma once
// The middle of the exposure from a camera's EXIF block. The camera writes
// its own clock's time, so its offset from UTC must be known: from the
// block's OffsetTimeOriginal when the camera wrote one, else from the
// offset the user gave for that camera.
#include <optional>
#include <string>

#include "observation_time.h"
#include "state/read_result.h"

namespace sextrix {

// The EXIF fields the time is made of, as text; exposure in seconds.
struct ExifTimeFields {
    std::string dateTimeOriginal;    // "2026:12:08 03:14:15", the start of the exposure
    std::string subSecTimeOriginal;  // "25" -> 0.25 s, may be empty
    std::string offsetTimeOriginal;  // "+01:00", may be empty
    std::optional<double> exposureSeconds;
};

// The fields of a picture file; an error when it cannot be read or holds no
// EXIF block.
Result<ExifTimeFields> readExifTimeFields(const std::string& path);

// DateTimeOriginal (+ SubSecTimeOriginal) + ExposureTime/2, brought to UTC
// with the offset (hours east of Greenwich). No time without an exposure
// time or an offset.
TimeReading exifMidExposure(const ExifTimeFields& fields, std::optional<double> cameraUtcOffsetHours);

}  // namespace sextrix

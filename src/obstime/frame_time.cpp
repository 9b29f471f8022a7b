#include "frame_time.h"

#include "exif_time.h"
#include "fits_time.h"

namespace sextrix {

TimeReading frameTimeOf(const std::string& imagePath, const std::map<std::string, std::string>* fitsKeywords,
                        std::optional<double> cameraUtcOffsetHours) {
    if (fitsKeywords) return fitsMidExposure(*fitsKeywords);
    const Result<ExifTimeFields> fields = readExifTimeFields(imagePath);
    if (!fields) return TimeReading::refused(describe(fields.error()));
    return exifMidExposure(*fields, cameraUtcOffsetHours);
}

}  // namespace sextrix

#include "exif_time.h"

#include <libexif/exif-data.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "utc_time.h"

namespace sextrix {
namespace {

std::string entryText(ExifData* data, ExifTag tag) {
    ExifEntry* entry = exif_data_get_entry(data, tag);
    if (!entry) return {};
    char value[256] = {};
    exif_entry_get_value(entry, value, sizeof value);
    std::string text(value);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
    return text;
}

// "+01:00" or "-05:30" as hours.
std::optional<double> offsetHours(const std::string& text) {
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':') return std::nullopt;
    const auto time = parseTimeOfDay(text.substr(1));
    if (!time || *time > 14 * 3600) return std::nullopt;
    return (text[0] == '-' ? -1 : 1) * *time / 3600;
}

std::string offsetText(double hours) {
    const int minutes = static_cast<int>(std::lround(std::abs(hours) * 60));
    char text[32];
    std::snprintf(text, sizeof text, "UTC%c%02d:%02d", hours < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return text;
}

}  // namespace

Result<ExifTimeFields> readExifTimeFields(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return ReadError{path, 0, {}, FileFault::NotFound};
    const std::unique_ptr<ExifData, void (*)(ExifData*)> data(exif_data_new_from_file(path.c_str()), exif_data_unref);
    if (!data) return ReadError{path, 0, "the picture holds no EXIF block"};
    ExifTimeFields fields;
    fields.dateTimeOriginal = entryText(data.get(), EXIF_TAG_DATE_TIME_ORIGINAL);
    fields.subSecTimeOriginal = entryText(data.get(), EXIF_TAG_SUB_SEC_TIME_ORIGINAL);
    fields.offsetTimeOriginal = entryText(data.get(), EXIF_TAG_OFFSET_TIME_ORIGINAL);
    if (ExifEntry* e = exif_data_get_entry(data.get(), EXIF_TAG_EXPOSURE_TIME);
        e && e->format == EXIF_FORMAT_RATIONAL && e->components == 1) {
        const ExifRational r = exif_get_rational(e->data, exif_data_get_byte_order(data.get()));
        if (r.denominator != 0) fields.exposureSeconds = static_cast<double>(r.numerator) / r.denominator;
    }
    return fields;
}

TimeReading exifMidExposure(const ExifTimeFields& fields, std::optional<double> cameraUtcOffsetHours) {
    // "YYYY:MM:DD HH:MM:SS" is ISO with colons in the date.
    std::string iso = fields.dateTimeOriginal;
    if (iso.size() >= 10 && iso[4] == ':' && iso[7] == ':') iso[4] = iso[7] = '-';
    const auto start = iso.size() == 19 ? parseIsoTime(iso) : std::nullopt;
    if (!start) {
        return TimeReading::refused(fields.dateTimeOriginal.empty()
                                        ? "the picture's EXIF block has no DateTimeOriginal"
                                        : "EXIF DateTimeOriginal is not a date and time: " + fields.dateTimeOriginal);
    }
    double subSecond = 0;
    if (!fields.subSecTimeOriginal.empty()) {
        for (char c : fields.subSecTimeOriginal)
            if (c < '0' || c > '9') {
                return TimeReading::refused("EXIF SubSecTimeOriginal is not a number: " + fields.subSecTimeOriginal);
            }
        subSecond = std::stod("0." + fields.subSecTimeOriginal);
    }
    if (!fields.exposureSeconds || *fields.exposureSeconds < 0) {
        return TimeReading::refused(
            "EXIF DateTimeOriginal gives the start of the exposure, and no ExposureTime says how long it lasted");
    }
    std::optional<double> offset;
    std::string offsetSource;
    if (!fields.offsetTimeOriginal.empty()) {
        offset = offsetHours(fields.offsetTimeOriginal);
        if (!offset) {
            return TimeReading::refused("EXIF OffsetTimeOriginal is not an offset: " + fields.offsetTimeOriginal);
        }
        offsetSource = "OffsetTimeOriginal";
    } else if (cameraUtcOffsetHours) {
        offset = cameraUtcOffsetHours;
        offsetSource = "camera setting";
    } else {
        return TimeReading::refused("the camera's clock is not UTC and its offset from UTC is not set");
    }
    const double middle = mjdOf(*start) + (subSecond + *fields.exposureSeconds / 2) / 86400 - *offset / 24;
    return ObservationTime{
        middle, "EXIF DateTimeOriginal + ExposureTime/2 (" + offsetText(*offset) + ", " + offsetSource + ")"};
}

}  // namespace sextrix

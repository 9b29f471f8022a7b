#pragma once
// The observer's settings that every report to the Minor Planet Center
// carries: the observatory code, the contact, observers and measurers, the
// telescope, the acknowledgement addresses and a comment, with the offset
// of the camera's clock from UTC; the rules they
// must follow before a report is written; and the file that keeps them.
//
// The file is UTF-8 text of "key=value" lines, read with any line end and
// written with CR LF, through a temporary file renamed over the old one.
// Blanks around keys and values are ignored; lists are comma-separated.
// Keys this version does not know are kept and written back as they were.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "state/read_result.h"

namespace sextrix {

enum class Detector { Ccd, Cmos };

struct ObserverSettings {
    std::string station;      // MPC observatory code: "G70", or "XXX" for a site without one yet
    std::string contactName;  // names are initials and surname: "J. R. R. Tolkien"
    std::string contactAddress;
    std::string contactEmail;
    std::vector<std::string> observers;
    std::vector<std::string> measurers;  // none: the observers measured
    double apertureMetres = 0;
    std::optional<double> focalRatio;
    std::string telescopeDesign;  // "reflector", "Schmidt-Cassegrain"
    Detector detector = Detector::Ccd;
    std::string acknowledgementEmails;  // where the MPC's acknowledgement goes, comma-separated
    std::string comment;
    // The camera's clock, in hours east of Greenwich, for pictures whose EXIF
    // block does not say it; none: taken as unknown, not as UTC.
    std::optional<double> cameraUtcOffsetHours;
    std::vector<std::pair<std::string, std::string>> otherKeys;  // keys of a later version, kept
};

enum class ReportFormat { Mpc80, Ades };

// A letter or digit and two digits ("G70", "500"), or "XXX".
bool isStationCode(std::string_view code);

// The reasons a report in the format cannot be written with these
// settings; none when it can.
std::vector<std::string> settingsProblems(const ObserverSettings& settings, ReportFormat format);

struct ObserverSettingsReading {
    ObserverSettings settings;
    std::vector<ReadError> problems;  // lines not taken, each with its number and why
};

// The observers or measurers of a comma-separated list, blanks around each
// dropped; and the list written back, ", " between the names.
std::vector<std::string> namesOfList(std::string_view text);
std::string listOfNames(const std::vector<std::string>& names);

std::string observerSettingsText(const ObserverSettings& settings);
ObserverSettingsReading readObserverSettings(std::string_view text, const std::string& file);

// Saving throws FileError naming the file. A missing file reads as empty
// settings; one that cannot be read is an error.
void saveObserverSettings(const std::string& path, const ObserverSettings& settings);
Result<ObserverSettingsReading> loadObserverSettings(const std::string& path);

// The camera's offset from UTC the settings file keeps, for the EXIF time of
// a picture: none when the file gives none or cannot be read, and then the
// time is refused for want of an offset rather than taken as UTC.
std::optional<double> cameraUtcOffsetSetting(const std::string& path);

// The largest offset of a clock from UTC, in hours (Line Islands, +14).
inline constexpr double kMaxUtcOffsetHours = 14;

}  // namespace sextrix

#include "report/observer_settings.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "state/text_encoding.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    for (std::size_t start = 0; start <= text.size();) {
        const auto end = std::min(text.find(separator, start), text.size());
        if (std::string part = trimmedText(text.substr(start, end - start)); !part.empty()) parts.push_back(part);
        start = end + 1;
    }
    return parts;
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (const auto& part : parts) text += (text.empty() ? "" : std::string(separator)) + part;
    return text;
}

std::string inQuotes(std::string_view s) {
    std::string text(1, '"');
    text.append(s).push_back('"');
    return text;
}

// "J." or "J.-F.".
bool isInitials(std::string_view word) {
    const auto parts = split(word, '-');
    return !parts.empty() && word.front() != '-' && word.back() != '-' &&
           std::all_of(parts.begin(), parts.end(),
                       [](const std::string& p) { return p.size() == 2 && isUpper(p[0]) && p[1] == '.'; });
}

// Initials, each followed by one space, then a surname in capitals and
// lower case (a name outside ASCII counts as mixed case).
bool isPersonName(std::string_view name) {
    if (name.find("  ") != std::string_view::npos || name.empty() || name.front() == ' ' || name.back() == ' ')
        return false;
    const auto words = split(name, ' ');
    std::size_t initials = 0;
    while (initials < words.size() && isInitials(words[initials])) ++initials;
    if (initials == 0 || initials == words.size()) return false;
    std::size_t surnameStart = 0;
    for (std::size_t k = 0; k < initials; ++k) surnameStart += words[k].size() + 1;
    const std::string_view surname = name.substr(surnameStart);
    const bool mixedCase = std::any_of(surname.begin(), surname.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
    });
    return mixedCase && surname.find_first_of(",[]") == std::string_view::npos &&
           std::none_of(words.begin() + static_cast<std::ptrdiff_t>(initials), words.end(), isInitials);
}

bool isEmailAddress(std::string_view address) {
    const auto at = address.find('@');
    return at != std::string_view::npos && at > 0 && address.find('@', at + 1) == std::string_view::npos &&
           address.find('.', at) != std::string_view::npos && address.back() != '.' &&
           address.find_first_of(" ,[]|<>") == std::string_view::npos;
}

bool hasControlOrPipe(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return c == '|' || (static_cast<unsigned char>(c) < 0x20) || c == 0x7F; });
}
bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Every text the reports copy, with the words that name it.
std::vector<std::pair<std::string, std::string>> textsOf(const ObserverSettings& s) {
    std::vector<std::pair<std::string, std::string>> texts = {
        {"The observatory code", s.station},
        {"The contact's name", s.contactName},
        {"The contact's address", s.contactAddress},
        {"The contact's e-mail address", s.contactEmail},
        {"The telescope's design", s.telescopeDesign},
        {"The acknowledgement addresses", s.acknowledgementEmails},
        {"The comment", s.comment}};
    for (const auto& name : s.observers) texts.emplace_back("The observer " + inQuotes(name), name);
    for (const auto& name : s.measurers) texts.emplace_back("The measurer " + inQuotes(name), name);
    return texts;
}

constexpr std::string_view kStation = "station", kContactName = "contact_name", kContactAddress = "contact_address",
                           kContactEmail = "contact_email", kObservers = "observers", kMeasurers = "measurers",
                           kAperture = "aperture_m", kFocalRatio = "focal_ratio", kDesign = "telescope_design",
                           kDetector = "detector", kAckEmails = "ack_emails", kComment = "comment",
                           kCameraOffset = "camera_utc_offset_hours";

}  // namespace

bool isStationCode(std::string_view code) {
    return code == "XXX" ||
           (code.size() == 3 && (isUpper(code[0]) || isDigit(code[0])) && isDigit(code[1]) && isDigit(code[2]));
}

std::vector<std::string> settingsProblems(const ObserverSettings& s, ReportFormat format) {
    std::vector<std::string> problems;
    if (!isStationCode(s.station))
        problems.push_back("The observatory code " + inQuotes(s.station) +
                           " is not a letter or digit and two digits (XXX for a site without a code yet).");
    if (s.contactName.empty()) problems.push_back("The contact's name is missing.");
    if (s.observers.empty()) problems.push_back("No observer is named.");
    std::vector<std::string> names = s.observers;
    names.insert(names.end(), s.measurers.begin(), s.measurers.end());
    if (!s.contactName.empty()) names.insert(names.begin(), s.contactName);
    for (const auto& name : names) {
        if (!isPersonName(name))
            problems.push_back(inQuotes(name) + " is not initials and a surname in capitals and lower case, as in " +
                               "\"J. R. R. Tolkien\" or \"J.-F. Hulot\".");
        else if (name.size() > 100)
            problems.push_back(inQuotes(name) + " is longer than 100 characters.");
    }
    if (!s.contactEmail.empty() && !isEmailAddress(s.contactEmail))
        problems.push_back(inQuotes(s.contactEmail) + " is not an e-mail address.");
    for (const auto& address : split(s.acknowledgementEmails, ','))
        if (!isEmailAddress(address)) problems.push_back(inQuotes(address) + " is not an e-mail address.");
    if (s.acknowledgementEmails.size() > 76)
        problems.push_back("The acknowledgement addresses do not fit on one line of 80 columns.");
    if (!(s.apertureMetres > 0 && s.apertureMetres < 100)) problems.push_back("The telescope's aperture is missing.");
    if (s.focalRatio && !(*s.focalRatio > 0 && *s.focalRatio < 1000))
        problems.push_back("The focal ratio is not a positive number.");
    if (s.telescopeDesign.empty())
        problems.push_back("The telescope's design (reflector, refractor, Schmidt-Cassegrain) is missing.");
    else if (s.telescopeDesign.size() > 25)
        problems.push_back("The telescope's design is longer than 25 characters.");
    for (const auto& [what, text] : textsOf(s)) {
        if (hasControlOrPipe(text)) problems.push_back(what + " holds \"|\" or a control character.");
        if (format == ReportFormat::Mpc80 && !isAscii(text))
            problems.push_back(what +
                               " has letters outside ASCII; the 80-column header takes accents in TeX "
                               "notation, as in M\\\"uller.");
    }
    if (format == ReportFormat::Ades)
        for (const auto& word : split(s.comment, ' '))
            if (word.size() > 100) problems.push_back("The comment has a word longer than 100 characters.");
    return problems;
}

std::vector<std::string> namesOfList(std::string_view text) { return split(text, ','); }

std::string listOfNames(const std::vector<std::string>& names) { return joined(names, ", "); }

std::string observerSettingsText(const ObserverSettings& s) {
    std::vector<std::pair<std::string_view, std::string>> values = {
        {kStation, s.station},
        {kContactName, s.contactName},
        {kContactAddress, s.contactAddress},
        {kContactEmail, s.contactEmail},
        {kObservers, listOfNames(s.observers)},
        {kMeasurers, listOfNames(s.measurers)},
        {kAperture, s.apertureMetres > 0 ? numberToText(s.apertureMetres, '.') : ""},
        {kFocalRatio, s.focalRatio ? numberToText(*s.focalRatio, '.') : ""},
        {kDesign, s.telescopeDesign},
        {kDetector, s.detector == Detector::Cmos ? "CMOS" : "CCD"},
        {kAckEmails, s.acknowledgementEmails},
        {kComment, s.comment},
        {kCameraOffset, s.cameraUtcOffsetHours ? numberToText(*s.cameraUtcOffsetHours, '.') : ""}};
    for (const auto& [key, value] : s.otherKeys) values.emplace_back(key, value);
    std::vector<std::string> lines;
    for (auto& [key, value] : values) {
        // A line end inside a value would end its line in the file.
        std::replace_if(
            value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        lines.push_back(std::string(key) + "=" + value);
    }
    return joinLinesCrLf(lines);
}

ObserverSettingsReading readObserverSettings(std::string_view text, const std::string& file) {
    ObserverSettingsReading reading;
    ObserverSettings& s = reading.settings;
    const auto lines = splitLines(textFromFile(std::string(text)), LineEnds::Any);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto problem = [&](std::string cause) {
            reading.problems.push_back({file, static_cast<int>(i + 1), std::move(cause)});
        };
        if (trimmedText(lines[i]).empty()) continue;
        const auto equals = lines[i].find('=');
        if (equals == std::string::npos) {
            problem(inQuotes(lines[i]) + " is not key=value.");
            continue;
        }
        const std::string key = trimmedText(std::string_view(lines[i]).substr(0, equals));
        const std::string value = trimmedText(std::string_view(lines[i]).substr(equals + 1));
        const auto number = [&]() -> std::optional<double> {
            if (value.empty()) return std::nullopt;
            const auto parsed = tryParseStrictNumber(value, '.');
            if (parsed && std::isfinite(*parsed)) return parsed;
            problem(inQuotes(value) + " is not a number.");
            return std::nullopt;
        };
        if (key == kStation)
            s.station = value;
        else if (key == kContactName)
            s.contactName = value;
        else if (key == kContactAddress)
            s.contactAddress = value;
        else if (key == kContactEmail)
            s.contactEmail = value;
        else if (key == kObservers)
            s.observers = namesOfList(value);
        else if (key == kMeasurers)
            s.measurers = namesOfList(value);
        else if (key == kAperture)
            s.apertureMetres = number().value_or(0);
        else if (key == kFocalRatio)
            s.focalRatio = number();
        else if (key == kDesign)
            s.telescopeDesign = value;
        else if (key == kAckEmails)
            s.acknowledgementEmails = value;
        else if (key == kComment)
            s.comment = value;
        else if (key == kCameraOffset) {
            const auto offset = number();
            if (offset && std::abs(*offset) <= kMaxUtcOffsetHours)
                s.cameraUtcOffsetHours = offset;
            else if (offset)
                problem("The camera's offset from UTC is between -14 and +14 hours, not " + inQuotes(value) + ".");
        } else if (key == kDetector) {
            if (value == "CCD" || value == "CMOS")
                s.detector = value == "CMOS" ? Detector::Cmos : Detector::Ccd;
            else
                problem("The detector is CCD or CMOS, not " + inQuotes(value) + ".");
        } else {
            s.otherKeys.emplace_back(key, value);
        }
    }
    return reading;
}

void saveObserverSettings(const std::string& path, const ObserverSettings& settings) {
    writeFileBytes(path, observerSettingsText(settings));
}

Result<ObserverSettingsReading> loadObserverSettings(const std::string& path) {
    // Only a missing path is empty settings: a folder in its place is an error.
    std::error_code missing;
    if (!std::filesystem::exists(path, missing) && !missing) return ObserverSettingsReading{};
    return readFileBytes(path).andThen(
        [&](std::string bytes) -> Result<ObserverSettingsReading> { return readObserverSettings(bytes, path); });
}

std::optional<double> cameraUtcOffsetSetting(const std::string& path) {
    const auto read = loadObserverSettings(path);
    return read ? read->settings.cameraUtcOffsetHours : std::nullopt;
}

}  // namespace sextrix

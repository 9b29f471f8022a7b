#include "report_settings_handlers.h"

#include <cmath>
#include <functional>
#include <optional>

#include "form1/box_numbers.h"
#include "form1/captions.h"
#include "form1/failure_text.h"
#include "report/observer_settings.h"
#include "state/errors.h"
#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr const char* kSettingsFile = "observer.cfg";
constexpr int kCaptionEntry = 163, kDetectorEntry = 173, kSaveEntry = 177, kCancelEntry = 178, kNotSavedEntry = 179,
              kBadStationEntry = 200;

struct BoxCaption {
    LabelledBox ReportSettingsModel::*field;
    int entry;
    const char* english;
};
constexpr BoxCaption kBoxCaptions[] = {
    {&ReportSettingsModel::station, 164, "Observatory code"},
    {&ReportSettingsModel::contactName, 165, "Contact (initials and surname)"},
    {&ReportSettingsModel::contactAddress, 166, "Contact address"},
    {&ReportSettingsModel::contactEmail, 167, "Contact e-mail"},
    {&ReportSettingsModel::observers, 168, "Observers (comma-separated)"},
    {&ReportSettingsModel::measurers, 169, "Measurers (comma-separated)"},
    {&ReportSettingsModel::aperture, 170, "Aperture (m)"},
    {&ReportSettingsModel::focalRatio, 171, "Focal ratio"},
    {&ReportSettingsModel::telescopeDesign, 172, "Telescope design"},
    {&ReportSettingsModel::acknowledgementEmails, 174, "Acknowledgement e-mails"},
    {&ReportSettingsModel::comment, 175, "Comment"},
    {&ReportSettingsModel::cameraUtcOffset, 176, "Camera clock offset from UTC (hours)"}};

void tell(App& app, const std::string& text) { app.platform.dialogs.message(text, app.reportSettings.caption, true); }

std::string numberText(const App& app, std::optional<double> value) {
    return value ? numberToText(*value, app.ctx.decimalSeparator) : std::string();
}

void showSettings(App& app, const ObserverSettings& s) {
    ReportSettingsModel& w = app.reportSettings;
    w.station.box.text = s.station;
    w.contactName.box.text = s.contactName;
    w.contactAddress.box.text = s.contactAddress;
    w.contactEmail.box.text = s.contactEmail;
    w.observers.box.text = listOfNames(s.observers);
    w.measurers.box.text = listOfNames(s.measurers);
    w.aperture.box.text = numberText(app, s.apertureMetres > 0 ? std::optional(s.apertureMetres) : std::nullopt);
    w.focalRatio.box.text = numberText(app, s.focalRatio);
    w.telescopeDesign.box.text = s.telescopeDesign;
    w.acknowledgementEmails.box.text = s.acknowledgementEmails;
    w.comment.box.text = s.comment;
    w.cameraUtcOffset.box.text = numberText(app, s.cameraUtcOffsetHours);
    w.detector.selected = s.detector == Detector::Cmos ? 1 : 0;
    w.otherKeys = s.otherKeys;
}

std::string boxText(const LabelledBox& field) { return trimmedText(field.box.text); }

// The number of a box, in the user's notation or with a point; none when
// the box is empty. One that is not a number, or not one the box takes,
// throws InputError naming the box.
std::optional<double> boxNumber(const App& app, const LabelledBox& field, const std::function<bool(double)>& takes) {
    const std::string text = boxText(field);
    if (text.empty()) return std::nullopt;
    const std::string& name = field.label.caption;
    std::optional<double> value;
    try {
        value = tryParseStrictNumber(text, app.ctx.decimalSeparator);
        if (!value) value = tryParseStrictNumber(text, '.');
    } catch (const OverflowError&) {
        throw outOfRange(app.ctx.lang, name, text);
    }
    if (!value || !std::isfinite(*value)) throw notANumber(app.ctx.lang, name, text);
    if (!takes(*value)) throw outOfRange(app.ctx.lang, name, text);
    return value;
}

ObserverSettings settingsOfBoxes(const App& app) {
    const ReportSettingsModel& w = app.reportSettings;
    ObserverSettings s;
    s.station = boxText(w.station);
    if (!s.station.empty() && !isStationCode(s.station))
        throw InputError(laterFormEntry(app.ctx.lang, kBadStationEntry,
                                        "%1: \"%2\" is not a letter or digit and two digits (XXX for a site "
                                        "without a code yet).",
                                        {w.station.label.caption, s.station}));
    s.contactName = boxText(w.contactName);
    s.contactAddress = boxText(w.contactAddress);
    s.contactEmail = boxText(w.contactEmail);
    s.observers = namesOfList(w.observers.box.text);
    s.measurers = namesOfList(w.measurers.box.text);
    s.apertureMetres = boxNumber(app, w.aperture, [](double m) { return m > 0 && m < 100; }).value_or(0);
    s.focalRatio = boxNumber(app, w.focalRatio, [](double f) { return f > 0 && f < 1000; });
    s.telescopeDesign = boxText(w.telescopeDesign);
    s.detector = w.detector.selected == 1 ? Detector::Cmos : Detector::Ccd;
    s.acknowledgementEmails = boxText(w.acknowledgementEmails);
    s.comment = boxText(w.comment);
    s.cameraUtcOffsetHours =
        boxNumber(app, w.cameraUtcOffset, [](double h) { return std::abs(h) <= kMaxUtcOffsetHours; });
    s.otherKeys = w.otherKeys;
    return s;
}

}  // namespace

void ReportSettings_Load(App& app) {
    ReportSettingsModel& w = app.reportSettings;
    const LanguageTables& lang = app.ctx.lang;
    w.caption = laterFormEntry(lang, kCaptionEntry, "Report");
    for (const auto& [field, entry, english] : kBoxCaptions)
        (w.*field).label.caption = laterFormEntry(lang, entry, english);
    w.detectorLabel.caption = laterFormEntry(lang, kDetectorEntry, "Detector");
    w.cmdSave.caption = laterFormEntry(lang, kSaveEntry, "Save");
    w.cmdCancel.caption = laterFormEntry(lang, kCancelEntry, "Cancel");

    ObserverSettings settings;
    const Result<ObserverSettingsReading> read = loadObserverSettings(app.programFile(kSettingsFile));
    if (!read) {
        tell(app, failureText(lang, read.error()));
    } else {
        settings = read->settings;
        std::string problems;
        for (const ReadError& problem : read->problems) {
            if (!problems.empty()) problems += '\n';
            problems += failureText(lang, problem);
        }
        if (!problems.empty()) tell(app, problems);
    }
    showSettings(app, settings);
}

bool ReportSettings_cmdSave_Click(App& app) {
    const LanguageTables& lang = app.ctx.lang;
    try {
        saveObserverSettings(app.programFile(kSettingsFile), settingsOfBoxes(app));
    } catch (const InputError& refused) {
        tell(app, refused.what());
        return false;
    } catch (const FileError& failure) {
        tell(app, laterFormEntry(lang, kNotSavedEntry, "Report settings not saved: %1", {failureText(lang, failure)}));
        return false;
    }
    return true;
}

}  // namespace sextrix

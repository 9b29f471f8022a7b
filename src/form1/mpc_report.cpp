#include "mpc_report.h"

#include "captions.h"
#include "measure/kept_measurement.h"
#include "model/status.h"
#include "report/observer_settings.h"
#include "report/report_file.h"
#include "run_handler.h"
#include "state/text_file.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr int kNoReport = 192, kSaved = 193, kCopied = 194, kFilter = 195, kNothingMeasured = 199;

void refuse(App& app, const std::string& reason) {
    app.platform.dialogs.message(laterFormEntry(app.ctx.lang, kNoReport, "No report: %1", {reason}), "Velorin Sextrix",
                                 true);
}

struct ReportInputs {
    ObserverSettings settings;
    std::vector<ReportedMeasurement> reported;
};

// What the report is made of, or nothing when it cannot be made (the user
// has been told why).
std::optional<ReportInputs> reportInputs(App& app) {
    const std::vector<KeptMeasurement>& kept = app.ws().measurements;
    if (kept.empty()) {
        app.platform.dialogs.message(laterFormEntry(app.ctx.lang, kNothingMeasured,
                                                    "No measurement yet: Options > Measure (key M) on a solved "
                                                    "picture."),
                                     "Velorin Sextrix", false);
        return std::nullopt;
    }
    std::vector<ReportedMeasurement> reported;
    for (std::size_t k = 0; k < kept.size(); ++k) {
        const Outcome<ReportedMeasurement> one = reportedOf(kept[k]);
        if (!one) {
            refuse(app, "measurement " + std::to_string(k + 1) + ": " + one.reason());
            return std::nullopt;
        }
        reported.push_back(*one);
    }
    const Result<ObserverSettingsReading> settings = loadObserverSettings(app.programFile("observer.cfg"));
    if (!settings) {
        refuse(app, describe(settings.error()));
        return std::nullopt;
    }
    if (settings->settings.station.empty()) {
        refuse(app, "no observatory code: give it in Option > Report");
        return std::nullopt;
    }
    return ReportInputs{settings->settings, std::move(reported)};
}

std::optional<std::string> madeReport(App& app, const ReportInputs& inputs, ReportKind kind) {
    const Outcome<std::string> text = reportText(inputs.settings, inputs.reported, kind);
    if (!text) {
        refuse(app, text.reason());
        return std::nullopt;
    }
    return *text;
}

std::string count(const App& app) { return intToText(static_cast<long long>(app.form1.ws.measurements.size())); }

}  // namespace

void mnu_savereport_Click(App& app) {
    const std::optional<ReportInputs> inputs = reportInputs(app);
    if (!inputs) return;
    Dialogs::FileRequest request{
        laterFormEntry(app.ctx.lang, 188, "Save MPC report…"),
        laterFormEntry(app.ctx.lang, kFilter, "MPC reports, 80-column (*.txt) or ADES (*.psv *.xml)"),
        app.ctx.programFolder, true, "mpc-report.txt"};
    const auto chosen = app.platform.dialogs.chooseFile(request);
    if (!chosen) return;
    const std::optional<std::string> text = madeReport(app, *inputs, reportKindFor(*chosen));
    if (!text) return;
    if (!runHandler(
            app, [&] { writeFileBytes(*chosen, *text); }, true))
        return;
    AddStatus(app.form1, app.platform.events,
              laterFormEntry(app.ctx.lang, kSaved, "Report saved in %1 (%2 measurements)", {*chosen, count(app)}));
}

void mnu_copyreport_Click(App& app) {
    const std::optional<ReportInputs> inputs = reportInputs(app);
    if (!inputs) return;
    const std::optional<std::string> text = madeReport(app, *inputs, ReportKind::Mpc80);
    if (!text) return;
    app.platform.dialogs.copyText(*text);
    AddStatus(app.form1, app.platform.events,
              laterFormEntry(app.ctx.lang, kCopied, "Report copied to the clipboard (%1 measurements)", {count(app)}));
}

}  // namespace sextrix

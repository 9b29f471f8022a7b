#include "project.h"

#include <vector>

#include "captions.h"
#include "control_lines.h"
#include "image_file.h"
#include "measure/kept_measurements_file.h"
#include "measurements.h"
#include "model/status.h"
#include "persist/project_file.h"
#include "reduction.h"
#include "run_handler.h"
#include "state/text_encoding.h"
#include "state/text_file.h"
#include "suggestions.h"

namespace sextrix {
namespace {

// The controls in file order (see kProjectLayout).
template <class Form>
std::vector<ControlLine<Form>> projectControls(Form& f) {
    return {&f.txt_calcul,
            &f.txt_corrasd,
            &f.txt_corrdec,
            &f.txt_dec[0],
            &f.txt_dec[1],
            &f.txt_dec[2],
            &f.txt_dec_sign_show[0],
            &f.txt_distance,
            &f.txt_epoch,
            &f.txt_mag,
            &f.txt_mag2,
            &f.txt_ra[0],
            &f.txt_ra[1],
            &f.txt_ra[2],
            &f.txt_tolerance,
            &f.txt_url,
            &f.CheckDecideur,
            &f.txt_Adate[0],
            &f.txt_Adate[1],
            &f.txt_Adate[2],
            &f.txt_Adate[3],
            &f.txt_Adate[4],
            &f.txt_Afield,
            &f.Txt_Amag,
            &f.CheckAster,
            &f.CheckAutoload,
            &f.Checkcenter,
            &f.CheckDeepObj1,
            &f.CheckDeepObj2};
}

// A project starts a new reduction: nothing of the previous one stays drawn
// or counted.
void clearReduction(Form1Model& form) {
    forgetSolution(form);
    forgetPicks(form);
    form.Frm6.visible = false;
    form.info.caption.clear();
    form.status.items.clear();
    form.status.selected = -1;
    form.ws.imageLoaded = kFalse;
}

// The measurements kept beside the project; none when there is no such
// file, or when it cannot be read (a message says why).
std::vector<KeptMeasurement> projectMeasurements(App& app, const std::string& project) {
    const std::string path = measurementsPathFor(project);
    if (!fileExists(path)) return {};
    Result<std::vector<KeptMeasurement>> read = readFileBytes(path).andThen(
        [&path](std::string bytes) { return readKeptMeasurements(textFromFile(std::move(bytes)), path); });
    if (read) return std::move(*read);
    app.platform.dialogs.message(
        laterFormEntry(app.ctx.lang, 198, "The project's measurements were not read: %1", {describe(read.error())}),
        "Velorin Sextrix", true);
    return {};
}

Dialogs::FileRequest projectRequest(const App& app, int title, bool save) {
    const auto& messages = app.ctx.lang.messages;
    return {messages[title], messages[13], app.ctx.programFolder, save};
}

}  // namespace

std::string projectFileBytes(const Form1Model& form) {
    return projectFileBytes(controlLineValues(projectControls(form)));
}

void mnu_save_Click(App& app) {
    const auto chosen = app.platform.dialogs.chooseFile(projectRequest(app, 14, true));
    if (!chosen) return;
    runHandler(
        app,
        [&] {
            const std::string project = projectFileName(*chosen);
            writeFileBytes(project, projectFileBytes(app.form1));
            // The measurements go with the project; a project without any
            // leaves no older list beside it to come back when it is opened.
            const std::vector<KeptMeasurement>& measurements = app.ws().measurements;
            if (!measurements.empty())
                writeFileBytes(measurementsPathFor(project), keptMeasurementsText(measurements));
            else
                deleteFile(measurementsPathFor(project));
        },
        true);
}

void mnu_open_Click(App& app) {
    // A step that yields (download, calculation) must not find its inputs
    // and its counts replaced under it; like a second step, the menu waits.
    if (app.ctx.stepRunning) return;
    const auto chosen = app.platform.dialogs.chooseFile(projectRequest(app, 12, false));
    if (!chosen) return;
    std::vector<std::string> values;
    const bool read = runHandler(
        app,
        [&] {
            const std::string text = textFromFile(readFileBytes(*chosen).value());
            values = readProjectValues(text, *chosen, app.ctx.decimalSeparator).value();
        },
        true);
    if (!read) return;
    const std::vector<KeptMeasurement> measurements = projectMeasurements(app, *chosen);
    applyControlLineValues(app, projectControls(app.form1), values);
    Loadimg_Click(app);
    ShowSuggestion(app, "open", 0, "0", "0");
    clearReduction(app.form1);
    app.ws().measurements = measurements;
    placeMeasureMarkers(app.form1);
}

}  // namespace sextrix

#include "config2_handlers.h"

#include <stdexcept>

#include "calibration/classic_calibration.h"
#include "form1/calibration_result.h"
#include "form1/captions.h"
#include "form1/chart.h"
#include "form1/run_handler.h"
#include "geometry/centre.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr int kNotANumberEntry = 130, kPlainFactorEntry = 137, kSensorFieldEntry = 138, kNeedsDeclinationEntry = 139;

// Box k (1..5), named by its label when it holds no number. The sensor's
// size is read leniently ("13.8 mm"), with the locale's separator or a point.
double boxValue(const App& app, int k) {
    const std::string& text = app.config2.txt[k].text;
    const char sep = app.ctx.decimalSeparator;
    if (k <= 2) return parseLeadingNumber(text, sep);
    if (const auto value = tryParseStrictNumber(text, sep)) return *value;
    throw std::runtime_error(laterFormEntry(app.ctx.lang, kNotANumberEntry, "%1: \"%2\" is not a number.",
                                            {app.ctx.lang.config2Texts[k + 2], text}));
}

// The declination Corr Asd is computed for: the centre typed in the main
// window.
double centreDeclination(const App& app) {
    if (const auto dec = typedDeclination(typedCentre(app.form1), app.ctx.decimalSeparator)) return *dec;
    throw std::runtime_error(laterFormEntry(app.ctx.lang, kNeedsDeclinationEntry,
                                            "Corr RA depends on the declination: type the centre's declination "
                                            "in the main window first."));
}

}  // namespace

void Config2_Form_Load(App& app) { ApplyCaptions(app, "Config2"); }

void Config2_cmd1_Click(App& app) {
    runHandler(app, [&] {
        CameraData camera;
        camera.sensorWidth = boxValue(app, 1);
        camera.sensorHeight = boxValue(app, 2);
        camera.pixelsX = boxValue(app, 3);
        camera.pixelsY = boxValue(app, 4);
        camera.focal = boxValue(app, 5);
        const double dec = centreDeclination(app);
        const ScaleFactors factors = classicScaleFactors(camera);
        writeScaleFactors(app, corrAsdAt(factors.alongX, dec), factors.corrDec);

        const LanguageTables& lang = app.ctx.lang;
        const FieldOfView field = classicFieldOfView(camera.sensorWidth, camera.sensorHeight, camera.focal);
        const std::string text =
            calibrationResultText(app, dec) + "\n" +
            laterFormEntry(lang, kPlainFactorEntry, "Factor along x without cos δ: %1; Corr RA = %1 × cos(%2°).",
                           {roundedText(factors.alongX, 2, '.'), roundedText(dec, 2, '.')}) +
            "\n" + laterFormEntry(lang, kSensorFieldEntry, "Field of the sensor (arcminutes):") + " " +
            roundedText(field.widthArcmin, 1, '.') + " x " + roundedText(field.heightArcmin, 1, '.');
        app.platform.dialogs.message(text, app.config2.caption, false);
    });
}

}  // namespace sextrix

#include "image_calibration.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "calibration/image_calibration.h"
#include "calibration_result.h"
#include "captions.h"
#include "control_writes.h"
#include "geometry/angles.h"
#include "run_handler.h"
#include "state/text_number.h"
#include "suggestions.h"

namespace sextrix {
namespace {

// Language entries of the panel that came after the first files.
constexpr int kFieldEntry = 95, kSkyRefusalEntry = 96, kImageRefusalEntry = 97, kInconsistentEntry = 98,
              kSameCoordinatesEntry = 128, kTooCloseEntry = 129;

void openPanel(Form1Model& form) {
    form.frm[4].visible = true;
    form.frm[3].visible = false;
    for (int k = 1; k <= kClickMarkers; ++k) form.clicpic[k].visible = false;
}

// The button's own caption, entry 48: messages 0, which once captioned it at
// the end of a run, names another control in the shipped files.
void resetButton(App& app) { app.form1.BoutonEtalo.caption = laterFormEntry(app.ctx.lang, 48, "Suivant"); }

std::string refusalText(const LanguageTables& lang, const ImageCalibration& result) {
    const std::vector<std::string> pair = {intToText(result.first), intToText(result.second)};
    switch (result.refusal) {
        case CalibrationRefusal::SameCoordinates:
            return laterFormEntry(lang, kSameCoordinatesEntry,
                                  "Star %2 refused: it has the same coordinates as star %1. Type the coordinates "
                                  "of the star picked, or pick another star.",
                                  pair);
        case CalibrationRefusal::TooClose:
            return laterFormEntry(lang, kTooCloseEntry,
                                  "Star %2 refused: it lies less than 100 pixels from star %1, too close for the "
                                  "factors to come within 1 %. Pick a star farther away.",
                                  pair);
        case CalibrationRefusal::CollinearOnImage:
            return laterFormEntry(lang, kImageRefusalEntry,
                                  "Calibration refused: the three stars lie nearly on one line on the image. "
                                  "Choose three stars forming a wide triangle.");
        case CalibrationRefusal::IllConditionedOnSky:
            return laterFormEntry(lang, kSkyRefusalEntry,
                                  "Calibration refused: the coordinates of the three stars lie nearly on one line "
                                  "on the sky, though not on the image, so the two factors cannot be told apart. "
                                  "Check the coordinates of each star.");
        case CalibrationRefusal::Inconsistent:
            return laterFormEntry(lang, kInconsistentEntry,
                                  "Calibration refused: the typed coordinates do not fit the distances between the "
                                  "picked stars. Check the coordinates of each star.");
        case CalibrationRefusal::None: break;
    }
    return {};
}

std::string resultText(App& app, double meanDec) {
    const Form1Model& form = app.form1;
    std::string text = calibrationResultText(app, meanDec);
    if (form.Picture1.width() > 0 && form.Picture1.height() > 0) {
        const ImageScale scale =
            imageScale(parseLeadingNumber(form.txt_corrasd.text), parseLeadingNumber(form.txt_corrdec.text), meanDec);
        const FieldOfView field = fieldOfView(scale, form.Picture1.width(), form.Picture1.height());
        text += "\n" + laterFormEntry(app.ctx.lang, kFieldEntry, "Field of the image (arcminutes):") + " " +
                roundedText(field.widthArcmin, 1, '.') + " x " + roundedText(field.heightArcmin, 1, '.');
    }
    return text;
}

// A refusal as an exception. The star concerned may be picked again: by
// image, after the third click, the picking is taken up again for it.
[[noreturn]] void refuse(App& app, const ImageCalibration& result) {
    WorkingState& ws = app.ws();
    if (ws.mode == ClickMode::EtaloDone) {
        ws.mode = ClickMode::Etalo;
        app.form1.zoom.visible = true;
    }
    throw std::runtime_error(refusalText(app.ctx.lang, result));
}

// Shortest text of a single-precision number, with the given separator.
std::string singleText(float value, char separator) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    std::string text(buffer, end);
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

}  // namespace

void mnu_etalonage_Click(App& app) {
    runHandler(app, [&] {
        Form1Model& form = app.form1;
        WorkingState& ws = form.ws;
        if (ws.imageLoaded != kFalse) {
            ws.mode = ClickMode::Etalo;
            ws.imageCalibration.start();
            form.zoom.visible = true;
            openPanel(form);
            resetButton(app);
        }
        ShowSuggestion(app, "etalonage", ws.imageLoaded, "0", "0");
    });
}

void mnu_superetalonage_Click(App& app) {
    runHandler(app, [&] {
        Form1Model& form = app.form1;
        WorkingState& ws = form.ws;
        if (ws.solved != kFalse) {
            ws.etaloArmed = 1;
            ws.mode = ClickMode::SuperEtalo;
            ws.imageCalibration.start();
            ws.pickCount = 0;
            openPanel(form);
            resetButton(app);
        }
        ShowSuggestion(app, "superetalonage", ws.solved, "0", "0");
    });
}

void BoutonEtalo_Click(App& app) {
    runHandler(app, [&] {
        Form1Model& form = app.form1;
        WorkingState& ws = form.ws;
        ws.etaloArmed = 1;
        ThreeStarCalibration& calibration = ws.imageCalibration;
        if (calibration.finished()) throw std::out_of_range("Subscript out of range");

        // Everything is read before anything is stored: a box that does not
        // read leaves the star as it was.
        const char sep = app.ctx.decimalSeparator;
        auto strict = [&](int box) { return parseStrictNumber(form.Etalo[box].text, sep); };
        const Int16 x = toInt16Checked(strict(0));
        const Int16 y = toInt16Checked(strict(1));
        const double ra = raToDegrees(strict(2), strict(3), parseLeadingNumber(form.Etalo[4].text, sep));
        const double sign = form.txt_dec_sign_show[1].caption == "-" ? -1 : 1;
        const double dec = decToDegrees(sign, strict(5), strict(6), parseLeadingNumber(form.Etalo[7].text, sep));
        const ImageCalibration result = calibration.record({static_cast<double>(x), static_cast<double>(y), ra, dec});
        if (result.refusal != CalibrationRefusal::None) refuse(app, result);
        if (calibration.finished()) writeScaleFactors(app, result.corrAsd, result.corrDec);

        for (TextBox& box : form.Etalo) box.text.clear();
        if (calibration.nextStar() == 3) form.BoutonEtalo.caption = app.ctx.lang.messages[1];
        if (!calibration.finished()) return;

        app.platform.dialogs.message(resultText(app, calibration.meanDec()), "Velorin Sextrix", false);
        form.frm[4].visible = false;
        form.frm[3].visible = true;
        resetButton(app);
        form.zoom.visible = false;
    });
}

int Etalo_Change(const Form1Model& form, int index) {
    if (index < 2 || index >= 7 || index == 4) return -1;
    return form.Etalo[index].text.size() == 2 ? index + 1 : -1;
}

void etaloHoverStar(App& app, int i) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    const OverlayItem& marker = form.star[i];
    const char sep = app.ctx.decimalSeparator;
    const auto centreX = static_cast<float>(marker.left + marker.width / 2);
    const auto centreY = static_cast<float>(marker.top + marker.height / 2);
    const Dms ra = DegToDms(withinOneTurn(ws.catX[i] / ws.corrAsd) / 360 * 24);
    const double dec = ws.catY[i] / ws.corrDec;
    const Dms decParts = DegToDms(std::abs(dec));
    const Int16 x = toInt16Checked(centreX), y = toInt16Checked(centreY);

    form.Etalo[0].text = singleText(centreX, sep);
    form.Etalo[1].text = singleText(centreY, sep);
    ws.clickX = x;
    ws.clickY = y;
    form.Etalo[2].text = intToText(ra.degrees);
    form.Etalo[3].text = intToText(ra.minutes);
    form.Etalo[4].text = roundedText(ra.seconds, 3, sep);
    form.txt_dec_sign_show[1].caption = dec < 0 ? "-" : "+";
    form.Etalo[5].text = intToText(decParts.degrees);
    form.Etalo[6].text = intToText(decParts.minutes);
    form.Etalo[7].text = roundedText(decParts.seconds, 2, sep);
}

}  // namespace sextrix

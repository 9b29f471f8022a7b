#include "calibration_result.h"

#include "calibration/image_calibration.h"
#include "captions.h"
#include "control_writes.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr int kScaleEntry = 94, kAndEntry = 99;

}  // namespace

void writeScaleFactors(App& app, double corrAsd, double corrDec) {
    setText(app, app.form1.txt_corrasd, roundedText(corrAsd, 2, '.'));
    setText(app, app.form1.txt_corrdec, roundedText(corrDec, 2, '.'));
}

std::string calibrationResultText(const App& app, double decDeg) {
    const Form1Model& form = app.form1;
    const LanguageTables& lang = app.ctx.lang;
    const char sep = '.';  // as the scale boxes hold their numbers
    const ImageScale scale =
        imageScale(parseLeadingNumber(form.txt_corrasd.text), parseLeadingNumber(form.txt_corrdec.text), decDeg);
    return lang.messages[7] + ": CX = " + form.txt_corrasd.text + " " + laterFormEntry(lang, kAndEntry, "and") +
           " CY = " + form.txt_corrdec.text + "\n" +
           laterFormEntry(lang, kScaleEntry, "Scale (arcseconds per pixel) in RA and Dec:") + " " +
           roundedText(scale.raArcsecPerPixel, 3, sep) + " x " + roundedText(scale.decArcsecPerPixel, 3, sep);
}

}  // namespace sextrix

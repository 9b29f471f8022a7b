#include "config2_handlers.h"

#include "calibration/classic_calibration.h"
#include "form1/captions.h"
#include "form1/control_writes.h"
#include "state/handler.h"
#include "state/text_number.h"

namespace sextrix {

void Config2_Form_Load(App& app) { ApplyCaptions(app, "Config2"); }

void Config2_cmd1_Click(App& app) {
    runHandler(app.platform.dialogs, [&] {
        const auto& txt = app.config2.txt;
        const char separator = app.ctx.decimalSeparator;
        CameraData camera;
        camera.sensorWidth = parseLeadingNumber(txt[1].text);
        camera.sensorHeight = parseLeadingNumber(txt[2].text);
        camera.pixelsX = parseStrictNumber(txt[3].text, separator);
        camera.pixelsY = parseStrictNumber(txt[4].text, separator);
        camera.focal = parseStrictNumber(txt[5].text, separator);
        const ScaleFactors factors = classicScaleFactors(camera);
        Form1Model& form = app.form1;
        setText(app, form.txt_corrasd, numberToText(factors.corrAsd, separator));
        setText(app, form.txt_corrdec, numberToText(factors.corrDec, separator));

        const FieldOfView field =
            classicFieldOfView(camera.sensorWidth, camera.sensorHeight, parseLeadingNumber(txt[5].text));
        const std::string text = app.ctx.lang.messages[7] + ": CX = " + form.txt_corrasd.text +
                                 " et CY = " + form.txt_corrdec.text +
                                 "\rCCD size: " + numberToText(field.widthArcmin, separator) + "' x " +
                                 numberToText(field.heightArcmin, separator) + "'";
        app.platform.dialogs.message(text, app.config2.caption, false);
    });
}

}  // namespace sextrix

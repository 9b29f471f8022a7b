#include "wcs_export.h"

#include <exception>

#include "fits/fits_image.h"
#include "image_file.h"
#include "persist/wcs_header.h"
#include "precision_texts.h"
#include "state/text_file.h"

namespace sextrix {

void mnu_exportwcs_Click(App& app) {
    const WorkingState& ws = app.ws();
    const LanguageTables& lang = app.ctx.lang;
    Dialogs& dialogs = app.platform.dialogs;
    if (!ws.refinement.solution || app.form1.Picture1.empty()) {
        dialogs.message(precisionText(lang, PrecisionText::NoRefinement), "Velorin Sextrix", false);
        return;
    }
    const std::string imagePath = imagePathOf(app, app.form1.txt_url.text);
    const std::string path = wcsSidecarPath(imagePath);
    // A FITS image is shown with its first row at the bottom.
    const FitsRows rows = isFitsFile(imagePath) ? FitsRows::BottomUp : FitsRows::TopDown;
    const WcsImage image{app.form1.Picture1.width(), app.form1.Picture1.height(), rows};
    try {
        writeFileBytes(path, wcsHeaderText(*ws.refinement.solution, image));
    } catch (const std::exception& failure) {
        dialogs.message(precisionText(lang, PrecisionText::WcsNotWritten) + path + " (" + failure.what() + ")",
                        "Velorin Sextrix", false);
        return;
    }
    dialogs.message(precisionText(lang, PrecisionText::WcsWritten) + path, "Velorin Sextrix", false);
}

}  // namespace sextrix

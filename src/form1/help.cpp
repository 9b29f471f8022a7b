#include "help.h"

#include "failure_text.h"
#include "state/errors.h"
#include "state/text_file.h"

namespace sextrix {

namespace {
void openHelp(App& app, const char* page) {
    const std::string path = app.dataFile(page);
    if (!fileExists(path)) {
        app.platform.dialogs.message(failureText(app.ctx.lang, FileError(FileFault::NotFound, path)), "Velorin Sextrix",
                                     false);
        return;
    }
    app.platform.windows.showHelp(path);
}
}  // namespace

void mnu_about_Click(App& app) { app.platform.windows.showModal(WindowKey::About); }

void mnu_AideFR_Click(App& app) { openHelp(app, "aide-fr.html"); }

void mnu_AideEn_Click(App& app) { openHelp(app, "aide-en.html"); }

}  // namespace sextrix

#include "help.h"

#include "state/text_file.h"

namespace sextrix {

namespace {
void openHelp(App& app, const char* page) {
    const std::string path = app.dataFile(page);
    if (!fileExists(path)) {
        app.platform.dialogs.message("File not found (" + path + ")", "Velorin Sextrix", false);
        return;
    }
    app.platform.windows.showHelp(path);
}
}  // namespace

void mnu_about_Click(App& app) { app.platform.windows.showModal(WindowKey::About); }

void mnu_AideFR_Click(App& app) { openHelp(app, "aide-fr.html"); }

void mnu_AideEn_Click(App& app) { openHelp(app, "aide-en.html"); }

}  // namespace sextrix

#include "frm_internet_handlers.h"

#include "form1/captions.h"
#include "form1/download.h"

namespace sextrix {

void FrmInternet_Load(App& app) {
    FrmInternetModel& w = app.frmInternet;
    const LanguageTables& lang = app.ctx.lang;
    const HostsSettings hosts = readHostsSettings(app);
    w.caption = laterFormEntry(lang, 140, "Internet access");
    w.Chk[0].caption = laterFormEntry(lang, 82, "Update check: ") + hosts.update.address;
    w.Chk[1].caption = laterFormEntry(lang, 83, "Star download: ") + hosts.star.address;
    w.Chk[2].caption = laterFormEntry(lang, 84, "Asteroids - Minor Planet Center: ") + hosts.asteroid.address;
    w.Lbl.caption = laterFormEntry(
        lang, 85,
        "You can block access to these web sites, so that the program keeps working when the connection fails.");
    const Int16 allowed[3] = {app.ctx.allowUpdateCheck, app.ctx.allowStarDownload, app.ctx.allowAsteroidDownload};
    for (int k = 0; k < 3; ++k) w.Chk[k].value = allowed[k] == kTrue ? 1 : 0;
    // No update server: there is no check to switch on.
    w.Chk[0].enabled = !hosts.update.empty();
    if (!w.Chk[0].enabled) w.Chk[0].value = 0;
}

void FrmInternet_cmdOK_Click(App& app) {
    const auto& chk = app.frmInternet.Chk;
    if (chk[0].enabled) app.ctx.allowUpdateCheck = chk[0].value == 1 ? kTrue : kFalse;
    app.ctx.allowStarDownload = chk[1].value == 1 ? kTrue : kFalse;
    app.ctx.allowAsteroidDownload = chk[2].value == 1 ? kTrue : kFalse;
}

}  // namespace sextrix

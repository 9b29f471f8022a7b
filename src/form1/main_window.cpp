#include "main_window.h"

#include <algorithm>

#include "download.h"
#include "model/busy_guard.h"
#include "picking.h"

namespace sextrix {

void TabStrip1_Click(Form1Model& form) {
    constexpr int frameOfTab[5] = {0, 1, 6, 7, 8};
    for (int tab = 1; tab <= 4; ++tab) form.frm[frameOfTab[tab]].visible = false;
    if (form.selectedTab >= 1 && form.selectedTab <= 4) form.frm[frameOfTab[form.selectedTab]].visible = true;
}

void Frm6close_Click(Form1Model& form) { form.Frm6.visible = false; }

void mnu_lang_Click(App& app) {
    app.ctx.languageChoiceAtStart = kTrue;
    app.platform.windows.showModal(WindowKey::FrmLang);
    app.ctx.languageChoiceAtStart = kFalse;
}

void mnu_webbugs_Click(App& app) { app.platform.windows.showModal(WindowKey::FrmInternet); }

void mnu_reportsettings_Click(App& app) { app.platform.windows.showModal(WindowKey::ReportSettings); }

void mnu_config_Click(App& app) { app.platform.windows.showModal(WindowKey::Config); }

void mnu_etalonage2_Click(App& app) { app.platform.windows.showModal(WindowKey::Config2); }

void mnu_wizard_Click(App& app) {
    {
        const BusyGuard busy(app.ctx.stepRunning);
        if (!busy) return;
        app.platform.windows.showModal(WindowKey::Wizard);
        if (app.ws().WizardStatus != 1) return;
        DownloadStep(app);
    }
    SelectStar_Click(app);
}

void LoadCorr_Click(App& app) {
    app.form1.ConfigStatus = 2;
    struct Reset {
        Int16& status;
        ~Reset() { status = 0; }
    } reset{app.form1.ConfigStatus};
    app.platform.windows.showModal(WindowKey::Config);
}

void Timer1_Timer(Form1Model& form, const PanInput& input) {
    if (!input.mainWindowActive && !input.leftButtonDown) return;
    PictureBox& pic = form.Picture1Box;
    const PictureBox& view = form.PicOrange;
    const Int16 held = form.ws.scrollDirection;
    // Steps of 10 pixels; the last one stops at the edge rather than past it.
    const auto step = [](int room) { return std::min(10, room); };
    if (pic.left + pic.width > view.width && (held == 3 || input.right))
        pic.left -= step(pic.left + pic.width - view.width);
    else if (pic.top < 0 && (held == 4 || input.up))
        pic.top += step(-pic.top);
    else if (pic.left < 0 && (held == 1 || input.left))
        pic.left += step(-pic.left);
    else if (pic.top + pic.height > view.height && (held == 2 || input.down))
        pic.top -= step(pic.top + pic.height - view.height);
}

}  // namespace sextrix

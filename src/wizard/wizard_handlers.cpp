#include "wizard_handlers.h"

#include "calibration/optical_configs.h"
#include "form1/captions.h"
#include "form1/config_file.h"
#include "form1/control_writes.h"
#include "form1/run_handler.h"
#include "state/text_encoding.h"
#include "state/text_file.h"

namespace sextrix {
namespace {

constexpr int kMinus = 0, kPlus = 1;

void showPage(WizardModel& w, int page) {
    w.Frame1.visible = page == 1;
    w.Frame2.visible = page == 2;
    w.Frame3.visible = page == 3;
    w.defaultStep = page;
}

void readConfigurations(App& app) {
    WizardModel& w = app.wizard;
    runHandler(app, [&] {
        const std::string path = savedConfigurationsPath(app);
        const std::string text = textFromFile(readFileBytes(path).value());
        // A faulty file offers the entries read before the fault, and says it.
        const Result<void> read = parseConfigFile(text, path, app.ctx.decimalSeparator, w.configs);
        w.Combo.items = configNames(w.configs);
        read.value();
    });
}

}  // namespace

std::vector<WizardTextPair> wizardTextPairs(App& app) {
    Form1Model& f = app.form1;
    WizardModel& w = app.wizard;
    return {{f.txt_calcul, w.txt_calcul},       {f.txt_corrasd, w.txt_corrasd}, {f.txt_corrdec, w.txt_corrdec},
            {f.txt_dec[0], w.txt_dec[0]},       {f.txt_dec[1], w.txt_dec[1]},   {f.txt_dec[2], w.txt_dec[2]},
            {f.txt_distance, w.txt_distance},   {f.txt_epoch, w.txt_epoch},     {f.txt_mag, w.txt_mag},
            {f.txt_ra[0], w.txt_ra[0]},         {f.txt_ra[1], w.txt_ra[1]},     {f.txt_ra[2], w.txt_ra[2]},
            {f.txt_tolerance, w.txt_tolerance}, {f.txt_url, w.txt_url}};
}

void Wizard_Form_Load(App& app) {
    // Loaded anew at each opening: nothing of an earlier visit stays.
    app.wizard = WizardModel{};
    WizardModel& w = app.wizard;
    ApplyCaptions(app, "Wizard");
    app.ws().WizardStatus = 0;
    for (WizardTextPair pair : wizardTextPairs(app)) pair.wizard.text = pair.main.text;
    // The main window's sign buttons keep no state of their own: its label is
    // the sign, and the options start from it.
    const std::string& sign = app.form1.txt_dec_sign_show[0].caption;
    w.txt_dec_sign[kMinus].value = sign == "-" ? 1 : 0;
    w.txt_dec_sign[kPlus].value = sign == "-" ? 0 : 1;
    w.txt_dec_sign_show.caption = sign;
    showPage(w, 1);
    readConfigurations(app);
}

void Wizard_step1_Click(App& app) { showPage(app.wizard, 2); }

void Wizard_step2_Click(App& app) { showPage(app.wizard, 3); }

void Wizard_Combo_Click(App& app) {
    WizardModel& w = app.wizard;
    const int p = w.Combo.selected;
    if (p < 0 || p >= static_cast<int>(w.configs.size())) return;
    const OpticalConfig& entry = w.configs[static_cast<std::size_t>(p)];
    w.txt_corrasd.text = entry.corrAsd;
    w.txt_corrdec.text = entry.corrDec;
}

void Wizard_txt_dec_sign_Click(App& app, int index) {
    WizardModel& w = app.wizard;
    if (index != kMinus && index != kPlus) return;
    w.txt_dec_sign[kMinus].value = index == kMinus ? 1 : 0;
    w.txt_dec_sign[kPlus].value = index == kPlus ? 1 : 0;
    w.txt_dec_sign_show.caption = index == kMinus ? "-" : "+";
}

void Wizard_step3_Click(App& app) {
    app.ws().WizardStatus = 1;
    for (WizardTextPair pair : wizardTextPairs(app)) setText(app, pair.main, pair.wizard.text);
    app.form1.txt_dec_sign_show[0].caption = app.wizard.txt_dec_sign_show.caption;
}

}  // namespace sextrix

#include "captions.h"

#include "precision_texts.h"

namespace sextrix {

std::string laterFormEntry(const LanguageTables& lang, int entry, const char* fallback) {
    const std::string& text = lang.formTexts.at(static_cast<std::size_t>(entry));
    if (text.empty() || text.front() == '[') return fallback;
    return text;
}

std::string laterFormEntry(const LanguageTables& lang, int entry, const char* fallback,
                           const std::vector<std::string>& values) {
    std::string filled = laterFormEntry(lang, entry, fallback);
    for (std::size_t k = values.size(); k-- > 0;) {
        const std::string mark = "%" + std::to_string(k + 1);
        for (auto at = filled.find(mark); at != std::string::npos; at = filled.find(mark, at + values[k].size()))
            filled.replace(at, mark.size(), values[k]);
    }
    return filled;
}

namespace {

// The pointer readout's caption until a star is read out.
constexpr const char* kReadoutDesignCaption = "Info:";

void applyFormCaptions(Form1Model& f, LanguageTables& t) {
    const auto& e = t.formTexts;
    f.caption = e[1];
    MenuItem* menus[] = {&f.mnu_fichier,        &f.mnu_wizard, &f.mnu_open,   &f.mnu_save,      &f.mnu_savedefaut,
                         &f.mnu_quit,           &f.mnu_option, &f.mnu_config, &f.mnu_etalonage, &f.mnu_etalonage2,
                         &f.mnu_superetalonage, &f.mnu_help,   &f.mnu_about};
    for (int k = 0; k < 13; ++k) menus[k]->caption = e[2 + k];
    f.DownloadData.caption = e[15];
    f.SelectStar.caption = e[16];
    f.startCalcul.caption = e[17];
    f.FullMap.caption = e[18];
    for (int k = 0; k <= 6; ++k) f.frm[k].caption = e[19 + k];
    for (int k = 0; k <= 19; ++k) f.Lbl[k].caption = e[26 + k];
    // Lbl 13 names the readout beside it; its design text would read twice.
    if (f.info.caption == kReadoutDesignCaption) f.info.caption.clear();
    f.LoadCorr.caption = e[47];
    f.Loadimg.caption = laterFormEntry(t, 141, "Load");
    f.mnu_webbugs.caption = laterFormEntry(t, 140, "Internet access");
    f.BoutonEtalo.caption = e[48];
    f.CheckAster.caption = e[49];
    for (int k = 0; k <= 26; ++k) t.messages[k] = e[49 + k];
    for (int tab = 1; tab <= 4; ++tab) f.tabCaptions[tab] = e[72 + tab];
    // The asteroid and deep-sky pages carry no titles of their own in the
    // file: each frame takes its tab's name.
    f.frm[7].caption = f.tabCaptions[3];
    f.frm[8].caption = f.tabCaptions[4];
    f.CheckDeepObj1.caption = e[77];
    f.CheckDeepObj2.caption = e[78];
    f.Checkcenter.caption = e[79];
    f.CheckAutoload.caption = e[80];
    f.CheckDecideur.caption = f.frm[6].caption;
    f.sugestion.caption = t.suggestionTexts[0];
    f.CancelDownload.caption = laterFormEntry(t, 93, "Cancel");
    f.mnu_stretch.caption = laterFormEntry(t, 100, "Stretch");
    const char* stretchFallbacks[] = {"Automatic", "Strong", "Linear min-max", "Logarithmic"};
    for (int k = 0; k < 4; ++k) f.mnu_stretchKind[k].caption = laterFormEntry(t, 101 + k, stretchFallbacks[k]);
    using enum PrecisionText;
    f.mnu_exportwcs.caption = precisionText(t, MenuExportWcs);
    f.AutoSolve.caption = f.mnu_autosolve.caption = precisionText(t, AutoSolve);
    f.Measure.caption = f.mnu_measure.caption = laterFormEntry(t, 156, "Measure");
    f.mnu_blindsolve.caption = laterFormEntry(t, 238, "Blind solve");
    f.mnu_openseries.caption = laterFormEntry(t, 201, "Open series…");
    f.mnu_measurements.caption = laterFormEntry(t, 180, "Measurements");
    f.mnu_savereport.caption = laterFormEntry(t, 188, "Save MPC report…");
    f.mnu_copyreport.caption = laterFormEntry(t, 189, "Copy MPC report");
    f.mnu_reportsettings.caption = laterFormEntry(t, 163, "Report");
    f.lbl_obstime.caption = laterFormEntry(t, 191, "UTC date/time (mid-exposure)");
    f.mnu_residus.caption = precisionText(t, MenuResiduals);
    f.mnu_residualtable.caption = precisionText(t, MenuTable);
    f.mnu_residualvectors.caption = precisionText(t, MenuVectors);
}

void applyConfigCaptions(ConfigModel& w, const LanguageTables& t) {
    const auto& e = t.configTexts;
    w.caption = e[1];
    for (int k = 0; k < 3; ++k) w.Lbl[k].caption = e[2 + k];
    w.cmd1.caption = e[5];
    w.cmd2.caption = e[6];
    w.cmd3.caption = e[7];
    w.cmd4.caption = e[8];
}

void applyConfig2Captions(Config2Model& w, const LanguageTables& t) {
    const auto& e = t.config2Texts;
    w.caption = e[1];
    for (int k = 0; k < 6; ++k) w.lbl[k].caption = e[2 + k];
    w.cmd1.caption = e[8];
}

void applyWizardCaptions(WizardModel& w, const LanguageTables& t) {
    const auto& e = t.wizardTexts;
    w.caption = e[1];
    for (int k = 0; k < 16; ++k) w.Lbl[k].caption = e[2 + k];
    w.step1.caption = e[18];
    w.step2.caption = e[18];
    w.step3.caption = e[19];
}

}  // namespace

void ApplyCaptions(App& app, const std::string& windowKey) {
    if (windowKey == "Form")
        applyFormCaptions(app.form1, app.ctx.lang);
    else if (windowKey == "Config")
        applyConfigCaptions(app.config, app.ctx.lang);
    else if (windowKey == "Config2")
        applyConfig2Captions(app.config2, app.ctx.lang);
    else if (windowKey == "Wizard")
        applyWizardCaptions(app.wizard, app.ctx.lang);
}

}  // namespace sextrix

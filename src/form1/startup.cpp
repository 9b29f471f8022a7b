#include "startup.h"

#include "captions.h"
#include "defaults.h"
#include "download.h"
#include "lang/language_choice.h"
#include "lang/language_file.h"
#include "state/text_encoding.h"
#include "state/text_file.h"
#include "state/text_number.h"

namespace sextrix {

void Form_Load(App& app) {
    Form1Model& form = app.form1;
    const UtcDateTime now = app.platform.clock.utcNow();
    const int parts[5] = {now.day, now.month, now.year, now.hour, now.minute};
    for (int k = 0; k < 5; ++k) form.txt_Adate[k].text = intToText(parts[k]);
    readDefaults(app);
}

void createOverlayItems(Form1Model& form) {
    auto copyTemplate = [](std::vector<OverlayItem>& items, double width, double height) {
        items[0].width = width;
        items[0].height = height;
        items[0].visible = false;
        for (std::size_t k = 1; k < items.size(); ++k) items[k] = items[0];
    };
    copyTemplate(form.star, 8, 8);
    copyTemplate(form.clicpic, 16, 16);
    copyTemplate(form.aster, 8, 8);
    copyTemplate(form.aster_lbl, 0, 13);
    copyTemplate(form.deepobj_lbl, 0, 13);
    form.overlaysCreated = true;
}

namespace {

// A shipped language file's tables; empty when it is missing or unreadable.
LanguageTables shippedTables(const App& app, Language language) {
    const std::string name = languageFileName(language);
    return readFileBytes(app.dataFile(name))
        .andThen([&](std::string bytes) { return parseLanguageFile(textFromFile(std::move(bytes)), name, {}); })
        .valueOr(LanguageTables{});
}

}  // namespace

void LoadLanguage(App& app) {
    const std::string path = app.programFile("lang.cfg");
    while (!fileExists(path)) {
        app.ctx.languageChoiceAtStart = kTrue;
        app.platform.windows.showModal(WindowKey::FrmLang);
        app.ctx.languageChoiceAtStart = kFalse;
    }
    app.ctx.lang = readFileBytes(path)
                       .andThen([&](std::string bytes) {
                           return parseLanguageFile(textFromFile(std::move(bytes)), "lang.cfg", app.ctx.lang);
                       })
                       .value();
    // A lang.cfg from an older version lacks the later entries: they come
    // from the shipped file of its language rather than in English.
    const LanguageTables french = shippedTables(app, Language::French);
    const LanguageTables english = shippedTables(app, Language::English);
    app.ctx.language = closestLanguage(app.ctx.lang, french, english);
    completeFrom(app.ctx.lang, app.ctx.language == Language::French ? french : english);
}

void Main(App& app, StartupHost& host) {
    host.showSplash();
    LoadLanguage(app);
    Form_Load(app);
    ApplyCaptions(app, "Form");
    app.ctx.allowAsteroidDownload = kTrue;
    app.ctx.allowStarDownload = kTrue;
    app.ctx.allowUpdateCheck = kTrue;
    writeHostsFileIfMissing(app);
    while (host.splashBarValue() < 99) app.platform.events.yield();
    host.showMainWindow();
    createOverlayItems(app.form1);
    host.closeSplash();
}

}  // namespace sextrix

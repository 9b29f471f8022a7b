#include "language_choice.h"

#include "captions.h"
#include "language_file.h"
#include "state/handler.h"
#include "state/text_file.h"

namespace sextrix {

std::string languageFileName(Language language) {
    return language == Language::French ? "lang-fr.cfg" : "lang-en.cfg";
}

bool chooseLanguage(App& app, Language language) {
    return runHandler(app.platform.dialogs, [&] {
        const std::string active = app.programFile("lang.cfg");
        const std::string source = app.programFile(languageFileName(language));
        // Read the source first: a missing source then leaves lang.cfg alone.
        const std::string bytes = readFileBytes(source);
        deleteFile(active);
        writeFileBytes(active, bytes);
        if (app.ctx.languageChoiceAtStart == kTrue) {
            LoadLanguage(app);
            ApplyCaptions(app, "Form");
        }
    });
}

void mnu_lang_Click(App& app) {
    app.ctx.languageChoiceAtStart = kTrue;
    app.platform.windows.showModal(WindowKey::FrmLang);
    app.ctx.languageChoiceAtStart = kFalse;
}

}  // namespace sextrix

#include "frm_lang_handlers.h"

#include "form1/captions.h"
#include "form1/run_handler.h"
#include "form1/startup.h"
#include "lang/language_file.h"
#include "state/text_encoding.h"
#include "state/text_file.h"

namespace sextrix {

bool chooseLanguage(App& app, Language language) {
    return runHandler(app, [&] {
        const std::string active = app.programFile("lang.cfg");
        const std::string fileName = languageFileName(language);
        // An 8-bit file becomes a UTF-8 lang.cfg.
        const std::string bytes = textFromFile(readFileBytes(app.dataFile(fileName)).value());
        // A file that does not load must not become lang.cfg: every later
        // start would end on it. Parsed into a copy, the tables stay as they are.
        if (Result<LanguageTables> check = parseLanguageFile(bytes, fileName, app.ctx.lang); !check) {
            ReadError error = std::move(check).error();
            error.cause += "\nlang.cfg n'a pas été modifié. lang.cfg was left unchanged.";
            throw ReadFailure(std::move(error));
        }
        // The write goes through a temporary file and a rename, so the old
        // lang.cfg stays whole until the new one is complete.
        writeFileBytes(active, bytes);
        if (app.ctx.languageChoiceAtStart == kTrue) {
            LoadLanguage(app);
            ApplyCaptions(app, "Form");
        }
    });
}

}  // namespace sextrix

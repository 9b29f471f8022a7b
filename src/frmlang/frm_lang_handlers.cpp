#include "frm_lang_handlers.h"

#include "form1/captions.h"
#include "form1/startup.h"
#include "state/handler.h"
#include "state/text_file.h"

namespace sextrix {

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

}  // namespace sextrix

#pragma once
// The language chooser's logic: the active file lang.cfg becomes a copy of
// the chosen language's file, then the texts are read again.
#include <string>

#include "state/app.h"

namespace sextrix {

enum class Language { French, English };

std::string languageFileName(Language language);  // "lang-fr.cfg" or "lang-en.cfg"

// The chooser's two buttons. Returns true when the chooser may close; on a
// failure the description has been shown and the chooser stays open.
bool chooseLanguage(App& app, Language language);

// Menu "Langue/Language".
void mnu_lang_Click(App& app);

}  // namespace sextrix

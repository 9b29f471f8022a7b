#pragma once
// The language chooser FrmLang: the active file lang.cfg becomes a copy of
// the chosen language's file, then the texts are read again.
#include "lang/language_choice.h"
#include "model/app.h"

namespace sextrix {

// The chooser's two buttons. Returns true when the chooser may close; on a
// failure the description has been shown and the chooser stays open.
bool chooseLanguage(App& app, Language language);

}  // namespace sextrix

#pragma once
// The two languages the program ships and the files that hold them.
#include <string>

namespace sextrix {

enum class Language { French, English };

std::string languageFileName(Language language);  // "lang-fr.cfg" or "lang-en.cfg"

}  // namespace sextrix

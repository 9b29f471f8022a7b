#include "language_choice.h"

namespace sextrix {

std::string languageFileName(Language language) { return language == Language::French ? "lang-fr.cfg" : "lang-en.cfg"; }

}  // namespace sextrix

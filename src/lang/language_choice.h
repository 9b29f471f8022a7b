#pragma once
// The two languages the program ships, the files that hold them, and how a
// lang.cfg is measured against them.
#include <string>

#include "state/language_tables.h"

namespace sextrix {

std::string languageFileName(Language language);  // "lang-fr.cfg" or "lang-en.cfg"

// The shipped language the loaded tables are closest to, entry by entry: a
// lang.cfg the user has edited still counts as its language. English on a tie
// (tables not loaded, shipped files missing).
Language closestLanguage(const LanguageTables& loaded, const LanguageTables& french, const LanguageTables& english);

// Fills the entries an older lang.cfg lacks from the shipped tables of its
// language. An older file ends a section early: the entry holds the section's
// marker ("[WIZARD]") or nothing. Entries the file has are kept, edited or not.
void completeFrom(LanguageTables& tables, const LanguageTables& shipped);

}  // namespace sextrix

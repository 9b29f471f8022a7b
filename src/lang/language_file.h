#pragma once
// Language files: line 1 is a title; then six sections, each ended by its
// marker line, which is stored as the section's last entry. A text line is
// used exactly as read.
#include <stdexcept>
#include <string>

#include "state/language_tables.h"

namespace sextrix {

struct LanguageFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads the sections of a language file over the given tables: entries beyond
// a section's length keep what they held. On failure the tables are left as
// they were and LanguageFileError describes what is wrong; fileName names the
// file in that description.
void parseLanguageFile(const std::string& bytes, const std::string& fileName, LanguageTables& tables);

}  // namespace sextrix

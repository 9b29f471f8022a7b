#pragma once
// Language files: line 1 is a title; then six sections, each ended by its
// marker line, which is stored as the section's last entry. A text line is
// used exactly as read.
#include <string>

#include "state/language_tables.h"
#include "state/read_result.h"

namespace sextrix {

// The sections of a language file read over the given tables: entries beyond
// a section's length keep what they held. Fails, naming `file` and the line,
// on an empty file, a missing marker line or a section too long.
Result<LanguageTables> parseLanguageFile(const std::string& bytes, const std::string& file, LanguageTables tables);

}  // namespace sextrix

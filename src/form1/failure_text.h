#pragma once
// A failure in the interface's language: the kinds the core reports (a box
// that holds no number, a number out of range, a file that cannot be opened,
// read or written) take their words from the language file, with the path
// and the system's own reason; any other failure shows its description.
#include <exception>
#include <string>

#include "state/language_tables.h"
#include "state/read_result.h"

namespace sextrix {

std::string failureText(const LanguageTables& lang, const std::exception& failure);

// A reader's failure: a file that could not be opened or read in the
// language's words ("Fichier introuvable : %1", with the system's reason);
// a file whose content is wrong as "<file>, line <n>: <cause>" (describe).
std::string failureText(const LanguageTables& lang, const ReadError& error);

// The same without the file's name for a content error ("line 4: Overflow"),
// for a caller that names the file itself; a file that could not be opened or
// read is still said whole.
std::string failureCause(const LanguageTables& lang, const ReadError& error);

}  // namespace sextrix

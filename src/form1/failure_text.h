#pragma once
// A failure in the interface's language: the kinds the core reports (a box
// that holds no number, a number out of range, a file that cannot be opened,
// read or written) take their words from the language file, with the path
// and the system's own reason; any other failure shows its description.
#include <exception>
#include <string>

#include "state/language_tables.h"

namespace sextrix {

std::string failureText(const LanguageTables& lang, const std::exception& failure);

}  // namespace sextrix

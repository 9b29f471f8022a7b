#pragma once
// The keyed advice of the suggestion line.
#include <string>

#include "state/language_tables.h"
#include "state/reduction_values.h"

namespace sextrix {

// The suggestion line's caption after advice `key` at `step`, starting from
// the caption it shows now (some steps keep or extend it). a and b are
// numbers passed as text; only the key "calcul" with step 0 reads them
// (strictly, with the given separator), as the candidate count and the
// catalogue star count.
std::string suggestionCaption(const LanguageTables& tables, const std::string& current, const std::string& key,
                              Int16 step, const std::string& a, const std::string& b, char decimalSeparator);

}  // namespace sextrix

#pragma once
// Numbers read from the boxes a step needs. A box that holds no number, or
// one beyond the range of a double, stops the step with a message naming the
// box by its label, in the interface's language.
#include <stdexcept>
#include <string>

#include "model/app.h"

namespace sextrix {

// What the user gave cannot be used: a box's text, or the picks (the first
// three on one line, more catalogue stars than the identification takes).
// The description says which. Nothing of the reduction has changed when it
// is thrown before the search.
struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A box of the main window named by its label (entry labelEntry, or the
// fallback, without the closing colon), followed by "2/3" when the label
// stands over several boxes.
std::string boxName(const LanguageTables& lang, int labelEntry, const char* fallback, int place = 1, int places = 1);

// 'Dec 2/3: "1l" is not a number.' and '... is out of range.'
InputError notANumber(const LanguageTables& lang, const std::string& box, const std::string& text);
InputError outOfRange(const LanguageTables& lang, const std::string& box, const std::string& text);

// The strict number of a box's text (the locale's separator), or an
// InputError naming the box.
double strictBoxNumber(const App& app, const std::string& text, const std::string& box);

// The lenient leading number of a box, which fails only beyond the range of
// a double.
double leadingBoxNumber(const App& app, const std::string& text, const std::string& box);

}  // namespace sextrix

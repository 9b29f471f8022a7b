#pragma once
// The suggestion line of the main window: keyed advice, and the indicator
// that blinks ten times after each new suggestion.
#include <string>

#include "model/app.h"

namespace sextrix {

// a and b are numbers passed as text; only the key "calcul" with step 0
// reads them (strictly), as the candidate count and the catalogue star count.
void ShowSuggestion(App& app, const std::string& key, Int16 step, const std::string& a, const std::string& b);

// One 500 ms tick of the blink.
void Timer2_Timer(Form1Model& form);

}  // namespace sextrix

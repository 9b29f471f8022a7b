#pragma once
#include <string>

#include "state/app.h"

namespace sextrix {

// Sets the captions of one window from the language tables: "Form" (the main
// window, which also fills the message table), "Config", "Config2" or
// "Wizard". Any other key does nothing.
void ApplyCaptions(App& app, const std::string& windowKey);

}  // namespace sextrix

#pragma once
#include <string>
#include <vector>

#include "model/app.h"

namespace sextrix {

// Sets the captions of one window from the language tables: "Form" (the main
// window, which also fills the message table), "Config", "Config2" or
// "Wizard". Any other key does nothing. On the main window the asteroid and
// deep-sky frames (frm 7, 8) take the names of their tabs, and the pointer
// readout `info` drops its design text, which Lbl 13 beside it already shows.
void ApplyCaptions(App& app, const std::string& windowKey);

// An entry of the main window's section that came with a later version of the
// language files: an older file holds the section's marker there, or nothing,
// and then the fallback is used.
std::string laterFormEntry(const LanguageTables& lang, int entry, const char* fallback);
// The same with %1, %2 ... in it replaced by the values in order.
std::string laterFormEntry(const LanguageTables& lang, int entry, const char* fallback,
                           const std::vector<std::string>& values);

}  // namespace sextrix

#pragma once
// Values that live as long as the program and are shared by every window:
// precession corrections, the web switches, the language tables.
#include <string>
#include "windows_only.h"

#include "state/language_tables.h"
#include "working_state.h"

namespace sextrix {

struct AppContext {
    // The last precession corrections, degrees.
    double precessDeltaRa = 0;
    double precessDeltaDec = 0;

    // Web access switches; start-up allows all three.
    Int16 allowStarDownload = kTrue;
    Int16 allowAsteroidDownload = kTrue;
    Int16 allowUpdateCheck = kTrue;

    LanguageTables lang;
    // The shipped language `lang` is closest to: that of the texts the
    // windows add themselves (Qt's dialogs, the zoom bar).
    Language language = Language::English;
    Int16 languageChoiceAtStart = kFalse;

    // Decimal separator of the user's locale, for strict parsing and for
    // numbers written into boxes.
    char decimalSeparator = '.';
    // The folder the program writes its files to (settings, answers,
    // temporary files), without a trailing separator: the executable's when
    // it runs from a writable copy, otherwise the user's data folder.
    std::string programFolder = ".";
    // The folder of the read-only data (language files, deep-sky files, demo,
    // help pages); empty means the same as programFolder.
    std::string dataFolder;

    // A workflow step that yields (calculation, download, full map, wizard)
    // is running; see BusyGuard.
    bool stepRunning = false;
    // Cancel was pressed during the running download step: its transfer
    // stops and the step fetches nothing more.
    bool downloadCancelled = false;
};

}  // namespace sextrix

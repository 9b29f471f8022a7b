#pragma once
// Which shipped language the interface speaks, for the few texts the windows
// add themselves (message-box buttons, the zoom bar). The loaded tables are
// compared entry by entry with lang-fr.cfg and lang-en.cfg of the program
// folder: a lang.cfg the user has edited still counts as the language it is
// closest to, and tables not loaded yet count as English.
#include <memory>

#include "state/app.h"
#include "state/language_tables.h"

namespace sextrix::ui {

class InterfaceLanguage {
public:
    explicit InterfaceLanguage(const App& app) : app_(app) {}
    bool french();

private:
    struct Shipped {
        LanguageTables french, english;
    };
    const App& app_;
    std::unique_ptr<Shipped> shipped_;  // read on first use
};

}  // namespace sextrix::ui

#pragma once
// Every interactive handler runs under one error handler: a failure shows its
// description in a message box, ends the handler and keeps what was done.
#include <exception>
#include <utility>

#include "platform.h"

namespace sextrix {

// Returns false when the handler failed (the failure has been shown).
template <class Body>
bool runHandler(Dialogs& dialogs, Body&& body, bool warningIcon = false) {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const std::exception& failure) {
        dialogs.message(failure.what(), "Velorin Sextrix", warningIcon);
        return false;
    }
}

}  // namespace sextrix

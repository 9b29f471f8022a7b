#pragma once
// Every interactive handler runs under one error handler: a failure shows its
// description, in the interface's language, in a message box, ends the
// handler and keeps what was done.
#include <exception>
#include <utility>

#include "failure_text.h"
#include "model/app.h"

namespace sextrix {

// Returns false when the handler failed (the failure has been shown).
template <class Body>
bool runHandler(App& app, Body&& body, bool warningIcon = false) {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const std::exception& failure) {
        app.platform.dialogs.message(failureText(app.ctx.lang, failure), "Velorin Sextrix", warningIcon);
        return false;
    }
}

}  // namespace sextrix

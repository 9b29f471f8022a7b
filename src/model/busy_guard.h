#pragma once
// A step of the workflow that yields to the event loop (status lines,
// questions) can be started again by a click arriving meanwhile. The steps
// share one flag: the first start holds it until it returns, and a start
// while it is held is ignored instead of running inside the first.
//
//     const BusyGuard busy(app.ctx.stepRunning);
//     if (!busy) return;
#include "windows_only.h"
namespace sextrix {

class BusyGuard {
public:
    explicit BusyGuard(bool& running) : running_(running), holds_(!running) { running_ = true; }
    ~BusyGuard() {
        if (holds_) running_ = false;
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

    // False when another step was already running: the caller does nothing.
    explicit operator bool() const { return holds_; }

private:
    bool& running_;
    bool holds_;
};

}  // namespace sextrix

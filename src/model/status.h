#pragma once
// The status list (newest line first) and the red/green status light.
#include <string>
#include "windows_only.h"

#include "form1_model.h"
#include "state/platform.h"

namespace sextrix {

// Hides the information panel, puts the line on top and lets the window repaint.
void AddStatus(Form1Model& form, EventLoop& events, const std::string& line);
// Green for -1, red for anything else.
void SetStatusLight(Form1Model& form, Int16 flag);

}  // namespace sextrix

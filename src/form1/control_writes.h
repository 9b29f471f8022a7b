#pragma once
// Writing a control from code as a person would through the window: the model
// takes the value, then the control's change (text box) or click (check box)
// handler runs, the one the window runs after a user's edit. A calibration
// writing the scale boxes, the wizard, a project file or the defaults file all
// go through here, so that what a handler keeps in step (a decimal comma
// turned into a point, the reload watch switched with its check box) stays in
// step.
//
// Rule: the handler runs only when the value actually changes. Writing the
// value a control already holds does nothing, as a window edit that leaves
// the text as it was sends no change. A control with no handler is only
// written.
#include <string>

#include "model/app.h"

namespace sextrix {

// The caret goes to the start of the new text, as it does when a program
// replaces the text of a box.
void setText(App& app, TextBox& box, std::string text);
void setValue(App& app, CheckBox& box, Int16 value);

// The handler of the control, as the window runs it after the user has
// edited or clicked it; nothing for a control without one.
void runChangeHandler(App& app, TextBox& box);
void runClickHandler(App& app, CheckBox& box);

}  // namespace sextrix

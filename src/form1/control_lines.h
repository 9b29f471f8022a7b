#pragma once
// The controls a settings file holds, one a line in file order, as the
// defaults file and a project file both list them: a text box's line is its
// text as typed, a check box's its value (0, 1 or 2), a label's its caption.
// Each file's list of controls is its own; what goes between the controls and
// the lines is done here, once for both.
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "model/app.h"

namespace sextrix {

// A control of a window model, const when the model is.
template <class Form>
using ControlLine = std::variant<std::conditional_t<std::is_const_v<Form>, const TextBox, TextBox>*,
                                 std::conditional_t<std::is_const_v<Form>, const CheckBox, CheckBox>*,
                                 std::conditional_t<std::is_const_v<Form>, const Label, Label>*>;

// The lines of the controls as they stand, in the list's order.
std::vector<std::string> controlLineValues(const std::vector<ControlLine<const Form1Model>>& controls);

// Writes values[k] into controls[k], for as many values as there are, each
// as the window would write it (setText, setValue: its handler runs; a
// label's caption is only set). A check box takes the value's leading whole
// number.
void applyControlLineValues(App& app, const std::vector<ControlLine<Form1Model>>& controls,
                            const std::vector<std::string>& values);

}  // namespace sextrix

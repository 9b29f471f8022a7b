#pragma once
// What one line of a settings file (defaut.cfg, a project) holds: a text
// box's text as typed, or a check box's state, 0, 1 or 2.

namespace sextrix {

enum class LineKind { Text, CheckBox };

}  // namespace sextrix

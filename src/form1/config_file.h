#pragma once
// config.cfg as the optical configurations window and the wizard open it.
#include <string>

#include "model/app.h"

namespace sextrix {

// The path of config.cfg; throws, in the interface's language, when no
// configuration has been saved yet (there is no such file).
std::string savedConfigurationsPath(const App& app);

}  // namespace sextrix

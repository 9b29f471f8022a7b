#include "config_file.h"

#include <stdexcept>

#include "captions.h"
#include "state/text_file.h"

namespace sextrix {

std::string savedConfigurationsPath(const App& app) {
    const std::string path = app.programFile("config.cfg");
    if (!fileExists(path))
        throw std::runtime_error(
            laterFormEntry(app.ctx.lang, 150, "No optical configuration has been saved yet (%1).", {path}));
    return path;
}

}  // namespace sextrix

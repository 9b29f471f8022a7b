#include "app.h"

#include "state/text_file.h"

namespace sextrix {

std::string App::programFile(const std::string& name) const { return joinPath(ctx.programFolder, name); }

std::string App::dataFile(const std::string& name) const {
    return joinPath(ctx.dataFolder.empty() ? ctx.programFolder : ctx.dataFolder, name);
}

}  // namespace sextrix

#pragma once
// Where the program keeps its files, and the user's number notation, as the
// window and sextrix-solve both find them.
#include <string>

#include "state/program_folders.h"

namespace sextrix::qtio {

// The program's two folders for an executable in executableFolder: beside it
// for a writable copy holding its data, otherwise the prefix's share folder
// and the user's data folder (~/.local/share/velorin-sextrix, created here).
// The window and sextrix-solve both find hosts.cfg and their other files
// this way, whatever name each gives its QCoreApplication.
ProgramFolders programFoldersFor(const std::string& executableFolder);

// The decimal separator of the user's locale.
char systemDecimalSeparator();

}  // namespace sextrix::qtio

#pragma once
// Where the program writes its files and where it finds its read-only data.
//
// A build tree or a portable copy keeps everything in the executable's
// folder: the data files sit beside it and it writes there too. An installed
// program finds its data under the prefix's share folder and writes into the
// user's data folder, even when its bin folder happens to be writable (root
// running /usr/bin/sextrix must not fill /usr/bin with settings).
#include <string>

namespace sextrix {

struct ProgramFolders {
    std::string programFolder;  // files the program writes
    std::string dataFolder;     // read-only data shipped with it
};

// What the caller found on disk about the executable's folder.
struct ExecutableFolderFacts {
    bool holdsData = false;  // the language files are beside the executable
    bool writable = false;   // a file can be created there
};

// executableFolder: the running executable's folder; installedDataFolder:
// the prefix's share folder seen from it; userDataFolder: the user's data
// folder (created by the caller when chosen).
ProgramFolders chooseProgramFolders(const std::string& executableFolder, const ExecutableFolderFacts& facts,
                                    const std::string& installedDataFolder, const std::string& userDataFolder);

}  // namespace sextrix

#include "program_folders.h"

namespace sextrix {

ProgramFolders chooseProgramFolders(const std::string& executableFolder, const ExecutableFolderFacts& facts,
                                    const std::string& installedDataFolder, const std::string& userDataFolder) {
    ProgramFolders folders;
    folders.dataFolder = facts.holdsData ? executableFolder : installedDataFolder;
    folders.programFolder = facts.holdsData && facts.writable ? executableFolder : userDataFolder;
    return folders;
}

}  // namespace sextrix

#include "state/program_folders.h"

#include <gtest/gtest.h>

namespace sextrix {
namespace {

TEST(ProgramFolders, WritesBesideTheProgramOnlyInAWritableCopyHoldingItsData) {
    const std::string exe = "/opt/sx/bin", share = "/opt/sx/share/velorin-sextrix", user = "/home/u/.local/share/vs";
    struct Row {
        const char* name;
        ExecutableFolderFacts facts;
        std::string programFolder, dataFolder;
    };
    const Row rows[] = {
        {"build tree or portable copy", {true, true}, exe, exe},
        {"portable copy on a read-only medium", {true, false}, user, exe},
        {"installed under a read-only prefix", {false, false}, user, share},
        // root running an installed program: bin/ is writable but not ours to fill.
        {"installed, bin writable", {false, true}, user, share},
    };
    for (const Row& row : rows) {
        const ProgramFolders folders = chooseProgramFolders(exe, row.facts, share, user);
        EXPECT_EQ(folders.programFolder, row.programFolder) << row.name;
        EXPECT_EQ(folders.dataFolder, row.dataFolder) << row.name;
    }
}

}  // namespace
}  // namespace sextrix

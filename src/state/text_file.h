#pragma once
// Whole-file byte access and the program folder's file names.
#include <string>

#include "read_result.h"

namespace sextrix {

// The file's bytes, or why it could not be opened or read (NotFound,
// NotAFile, CannotRead, with the system's words as the cause).
Result<std::string> readFileBytes(const std::string& path);
// Writes through a temporary file in the same folder, then renames it over
// the target, so a failed write never leaves a half-written file behind.
// Throws FileError naming the file.
void writeFileBytes(const std::string& path, const std::string& bytes);

bool fileExists(const std::string& path);
// Throws FileError when the file exists and cannot be removed.
void deleteFile(const std::string& path);
// Throws FileError when the source cannot be read or the target written.
void copyFile(const std::string& from, const std::string& to);

// A file can be created in the folder (tried, as permissions miss read-only
// mounts; root passes every permission check).
bool folderAcceptsFiles(const std::string& folder);
// The path names the folder or lies under it.
bool isWithinFolder(const std::string& path, const std::string& folder);

// folder + "/" + name; a folder given with a trailing "/" is not doubled.
std::string joinPath(const std::string& folder, const std::string& name);
// The last part of a path: "night/m67.fits" -> "m67.fits".
std::string fileNameOf(const std::string& path);

}  // namespace sextrix

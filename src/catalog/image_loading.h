#pragma once
// The sky photograph's file: where a typed name points, and its time, which
// the reload watch compares.
#include <string>

#include "state/read_result.h"

namespace sextrix {

// The file txt_url names: the text itself when it starts with "/" or holds
// ":" (a drive letter), otherwise a name in the program folder.
std::string resolveImagePath(const std::string& typed, const std::string& programFolder);

// Last-modification time of a regular file as local date and time, with the
// fraction of the second so that two writes within one second still differ.
// Fails (NotFound) when the file is missing or is not a regular file.
Result<std::string> fileTimeText(const std::string& path);

}  // namespace sextrix

#pragma once
// The sky photograph named in txt_url: loading it into Picture1, and watching
// the file so that a camera program overwriting it shows each new frame.
#include <string>

#include "state/app.h"

namespace sextrix {

// The file txt_url names: the text itself when it starts with "/" or holds
// ":" (a drive letter), otherwise a name in the program folder.
std::string resolveImagePath(const std::string& typed, const std::string& programFolder);

// Last-modification time of a regular file as local date and time, with the
// fraction of the second so that two writes within one second still differ.
// Throws FileError when the file is missing or is not a regular file.
std::string fileTimeText(const std::string& path);

// "Load": decodes the image, sizes Picture1 to it and moves it back to the
// top-left corner (a picture of the size already loaded keeps Picture1's
// place and size), sets imageLoaded and imageFileTime. On failure shows
// "<txt_url>: <description>", sets imageLoaded false and keeps the picture
// already shown.
void Loadimg_Click(App& app);

// Timer3 runs while the box is checked.
void CheckAutoload_Click(App& app);

// One 1 s tick of the watch: reloads when the file's time has changed since
// the last load or attempt; silent while the time cannot be read.
void Timer3_Timer(App& app);

}  // namespace sextrix

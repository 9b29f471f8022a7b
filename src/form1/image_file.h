#pragma once
// The sky photograph named in txt_url: loading it into Picture1, and watching
// the file so that a camera program overwriting it shows each new frame.
#include "state/app.h"

namespace sextrix {

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

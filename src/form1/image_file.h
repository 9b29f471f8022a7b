#pragma once
// The sky photograph named in txt_url: loading it into Picture1, and watching
// the file so that a camera program overwriting it shows each new frame.
#include <string>

#include "model/app.h"

namespace sextrix {

// The file txt_url names: beside the program's own files first, then among
// the data shipped with it.
std::string imagePathOf(const App& app, const std::string& typed);

// "Load": decodes the image (a FITS file, by extension or signature, through
// fits/: its raw values kept for detection, shown with the chosen stretch), sizes Picture1 to it and moves it back to
// the top-left corner (a picture of the size already loaded keeps Picture1's place and size), sets imageLoaded and
// imageFileTime. Another file than the one shown, or the same file with
// another time, starts a new reduction: no solution and no picks. On failure shows
// "<txt_url>: <description>", sets imageLoaded false and keeps the picture
// already shown.
void Loadimg_Click(App& app);

// The file dialog for a path box (txt_url, the wizard's own box): opens in
// the folder of the file the box names, filters on the image types the
// picture decoder reads, and writes the chosen path into the box as a person
// would (setText). Returns false, changing nothing, when the user cancels.
bool chooseImageFile(App& app, TextBox& box);

// The "..." button beside txt_url: choose a file, then "Load" it.
void BrowseImage_Click(App& app);

// An item of the "Stretch" menu: a FITS picture is shown again from its raw
// values with that stretch, as a reload of the same size would show it (the
// drawings go, the picks and markers stay). Other pictures only keep the
// choice for the next FITS file.
void mnu_stretch_Click(App& app, int choice);

// Timer3 runs while the box is checked.
void CheckAutoload_Click(App& app);

// One 1 s tick of the watch: reloads when the file's time has changed since
// the last load or attempt; silent while the time cannot be read.
void Timer3_Timer(App& app);

}  // namespace sextrix

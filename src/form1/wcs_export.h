#pragma once
// "Exporter WCS": the refined solution as a FITS header with the standard
// WCS keywords, saved where the user chooses (<image name>.wcs proposed).
#include <string>

#include "model/app.h"

namespace sextrix {

// The folder the save dialog opens in: the image's, unless the program may
// not write there (no file can be created, or it holds the read-only data
// shipped with the program), then the program's own folder.
std::string wcsSaveFolder(const std::string& imageFolder, bool imageFolderOpen, const std::string& programFolder);

// Asks for the file (IMAGE.wcs proposed in wcsSaveFolder), asks Yes/No
// before replacing an existing file, then writes through a temporary file
// and a rename, so a failed write leaves any old file whole. Cancel or No
// writes nothing.
void mnu_exportwcs_Click(App& app);

}  // namespace sextrix

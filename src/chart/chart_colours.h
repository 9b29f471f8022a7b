#pragma once
// Pen colours of the drawings over the picture.
#include "state/picture_surface.h"

namespace sextrix {

constexpr PackedColour kMatchCrossColour = packColour(0xFF, 0x80, 0xFF);  // #FF80FF
constexpr PackedColour kDeepSkyColour = packColour(0x80, 0x80, 0xFF);     // #8080FF

}  // namespace sextrix

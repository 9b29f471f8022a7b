#pragma once
// The reports of the information panel: each writes its text into InfoMore,
// renders the markup and shows the Info frame. Failures (an angle too large
// to format, an unreadable epoch) propagate to the calling handler; the panel
// is then left as it was.
#include <string>

#include "model/app.h"

namespace sextrix {

// A catalogue star; ra, dec J2000.0 in degrees. Also gives the position at
// the epoch of epochText and keeps those corrections in precessDeltaRa/Dec.
void ShowStarInfo(App& app, const std::string& id, double ra, double dec, const std::string& magR,
                  const std::string& magB, const std::string& epochText);

// A clicked point of the solved image, as ShowStarInfo without identity.
void ShowPointInfo(App& app, double ra, double dec, const std::string& epochText);

void ShowAsteroidInfo(App& app, const std::string& number, const std::string& name, double ra, double dec,
                      const std::string& text48, const std::string& text77, const std::string& text70);

// size1, size2 in arcminutes.
void ShowDeepSkyInfo(App& app, const std::string& name, double ra, double dec, const std::string& text51, double size1,
                     double size2, const std::string& text79, const std::string& pgc, const std::string& text97,
                     const std::string& text113);

}  // namespace sextrix

#pragma once
// The search of a field with no hint: quads of the image's brightest stars,
// their codes looked up in the index (both ways round, for a mirrored
// image), and each catalogue quad found turned into a plate, the similarity
// that carries the four image stars onto the four catalogue stars. A plate
// whose field puts enough of the index's stars on the image's stars is a
// candidate, handed to the caller to prove; the search ends when the caller
// accepts one, or when the quads run out.
#include <functional>
#include <vector>

#include "blind/blind_index.h"

namespace sextrix {

struct BlindSettings {
    double minArcsecPerPx = 1, maxArcsecPerPx = 10;
    int imageStars = 30;    // the brightest this many (brightest first in the list given)
    int insidePerPair = 5;  // C and D among the brightest this many inside the circle on AB
    float codeRadius = 0.012f;
    double matchRadiusPx = 3;
    // The image stars an index star may fall on: the brightest this many, as
    // the index holds its cells' brightest. All of a rich frame's thousands
    // would catch a chance star near almost any point.
    int matchedImageStars = 150;
    int minMatches = 6;  // index stars on image stars, the quad's four among them
    // and beyond the quad's four, so many that chance would put them there
    // less often than this
    double chanceLimit = 1e-3;
    int maxCandidates = 200;  // handed to the caller before giving up
};

struct BlindCandidate {
    double centreRaDeg = 0, centreDecDeg = 0;  // of the image's centre pixel
    double arcsecPerPx = 0;
    double upPositionAngleDeg = 0;  // of the image's up (-y) direction, east of north
    bool mirrored = false;
    int matches = 0;  // index stars on image stars
};

struct BlindStats {
    int quadsTried = 0;
    int codeMatches = 0;
    int candidates = 0;
};

// imageStars: pixel positions (x right, y down), brightest first.
// accept(candidate) true ends the search.
BlindStats blindSearch(const std::vector<PlanePoint>& imageStars, int width, int height, const BlindIndex& index,
                       const BlindSettings& settings, const std::function<bool(const BlindCandidate&)>& accept);

}  // namespace sextrix

#pragma once
// Reader of the deep-sky catalogue files beside the program (deepobj1.txt for
// NGC, deepobj2.txt for IC): keeps the objects in a square window around the
// field centre.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/read_result.h"
#include "state/reduction_values.h"

namespace sextrix {

struct DeepSkyObject {
    std::string name;                             // prefix + catalogue number, "NGC 224"
    std::string pgc;                              // "PGC 2557"; "PGC 0" when the column is blank
    double x = 0;                                 // RA in degrees (unwrapped) * corrAsd, whole
    double y = 0;                                 // Dec in degrees * corrDec, whole
    double size1 = 0;                             // arcminutes
    double size2 = 0;                             // arcminutes; a 0 in the file gives size1 (a circle)
    double pa = 0;                                // degrees
    std::string text51, text79, text97, text113;  // text columns as they stand
};

// The search window in scaled units (degrees times corrAsd or corrDec).
struct DeepSkyWindow {
    double corrAsd = 0;
    double corrDec = 0;
    double centreX = 0;  // centre in scaled J2000.0 units
    double centreY = 0;
    // The centre's J2000.0 right ascension in degrees: object right
    // ascensions are taken within half a turn of it before scaling, so that a
    // field across 0 h finds its objects on both sides. None: as read.
    std::optional<double> centreRa;
    double halfWidth = 0;         // whole scaled units, the same on both axes
    char decimalSeparator = '.';  // for the numbers of the names
};

// Half-width of the window: twice the field (arcminutes) in scaled units,
// round(s * 2 / 60 * field) with s = corrDec, or corrAsd when corrDec is
// negative. 20' at corrDec 2709.96 gives 1807.
double deepSkyHalfWidth(double corrAsd, double corrDec, double fieldArcmin);

struct DeepSkyFileScan {
    bool full = false;  // 500 objects are kept: nothing more is to be read, in any file
};

// Appends to kept the objects of one catalogue file (two header lines, then
// one object a line) that lie strictly inside the window, until kept holds
// 500 objects. Lines that hold no object read as position 0 and are kept only
// if that falls in the window. Fails, naming the line of `file`, at a line
// that cannot be read (a number beyond the range of a double): reading stops
// there, and kept holds the objects before it.
Result<DeepSkyFileScan> scanDeepSkyFile(std::string bytes, const std::string& file, std::string_view prefix,
                                        const DeepSkyWindow& window, std::vector<DeepSkyObject>& kept);

}  // namespace sextrix

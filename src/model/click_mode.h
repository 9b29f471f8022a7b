#pragma once
// What a click and a pointer move on the picture do: the mode of the main
// window's picture. The words in quotes are the mode as the program has
// always named it (shown in the Debug frame).
//
//   Idle        ""            at start; a click does nothing
//   Select      "select"      "2-Etoiles": clicks pick stars, the pointer drives
//                             the magnifier
//   Picked      "0"           the fifth pick ended the picking
//   Coor        "coor"        an identification was accepted: a click reports
//                             the sky position of its pixel
//   Etalo       "etalo"       the calibration by image takes its clicks, as
//                             picks, with the magnifier
//   EtaloDone   "done"        the calibration by image has its third click
//   SuperEtalo  "superetalo"  super calibration: hovering reads out the drawn
//                             catalogue star, a click keeps it
//   Measure     "measure"     a click measures the object under it
//
// Transitions:
//   any        --"2-Etoiles" with a picture-->  Select
//   Select     --fifth pick-->                  Picked
//   any        --candidate accepted-->          Coor
//   any        --calibration by image starts--> Etalo
//   Etalo or Select --click while the calibration's next star is 3--> EtaloDone
//   any        --super calibration starts-->    SuperEtalo
//   Coor       --"Measure"-->                   Measure --"Measure"--> Coor
// A refused identification leaves the mode as it was.
#include <string_view>
#include "windows_only.h"

namespace sextrix {

enum class ClickMode { Idle, Select, Picked, Coor, Etalo, EtaloDone, SuperEtalo, Measure };

// Clicks pick stars and the pointer drives the magnifier.
constexpr bool picksStars(ClickMode mode) { return mode == ClickMode::Select || mode == ClickMode::Etalo; }

constexpr std::string_view modeWord(ClickMode mode) {
    switch (mode) {
        case ClickMode::Idle: return "";
        case ClickMode::Select: return "select";
        case ClickMode::Picked: return "0";
        case ClickMode::Coor: return "coor";
        case ClickMode::Etalo: return "etalo";
        case ClickMode::EtaloDone: return "done";
        case ClickMode::SuperEtalo: return "superetalo";
        case ClickMode::Measure: return "measure";
    }
    return "";
}

}  // namespace sextrix

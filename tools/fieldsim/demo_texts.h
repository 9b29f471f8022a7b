#pragma once
// The two texts that go with a demo image: the README a newcomer follows,
// and the true solution a reduction can be checked against.
#include <string>
#include <vector>

#include "fieldsim/field_setup.h"

namespace sextrix::fieldsim {

struct DemoFiles {
    std::string image;     // e.g. "m67.jpg"
    std::string answer;    // "data.txt"
    std::string solution;  // "solution.txt"
    std::string starList;  // the input list, e.g. "m67-field-stars.csv"
};

// README.md of the demo folder: the inputs to type, the five stars to click
// with their pixel positions, where the stars come from, how the image is
// made and how to make it again. stars in any order.
std::string demoReadme(const FieldSetup& setup, const std::vector<CatalogueStar>& stars, const DemoFiles& files);

// solution.txt: the plate constants a..f to full precision, the residuals
// of the affine model, and the pixel position of every catalogue star in the
// answer's order with its identifier.
std::string solutionText(const FieldSetup& setup, const std::vector<CatalogueStar>& stars);

// Sexagesimal text of an angle for the boxes of the main window: whole
// units, minutes and seconds, each of two digits at least, the seconds with
// one decimal unless whole, e.g. 8.855 -> "08 51 18". The sign is left out.
std::string sexagesimalText(double value);

}  // namespace sextrix::fieldsim

// Writes a .wcs header with SIP distortion and 100 random pixels with their
// sky positions by tan_projection, for the check with astropy
// (tests/tools/check_wcs_astropy.py).
//
//   wcs_sample <folder> top-down|bottom-up
// writes <folder>/sample.wcs and <folder>/pixels.txt ("x y ra dec" per line,
// picture pixels 0-based with y down).
#include <charconv>
#include <cmath>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

#include "geometry/tan_projection.h"
#include "persist/wcs_header.h"

namespace {

using namespace sextrix;

// Turned 30 degrees, slightly sheared, across 0 h, with a few pixels of
// distortion at the corners, so that any sign or term out of place shows.
TanSolution sampleSolution() {
    TanSolution s;
    s.refX = 640.3, s.refY = 470.8, s.refRaDeg = 0.2, s.refDecDeg = 38.5;
    const double scale = 2.1 / 3600, c = std::cos(0.5236), n = std::sin(0.5236);
    s.cd = {-scale * c, scale * n * 1.01, scale * n, scale * c};
    s.sip.order = 3;
    s.sip.a.assign(16, 0.0);
    s.sip.b.assign(16, 0.0);
    const double a[][3] = {{2, 0, 3e-6},  {1, 1, -2e-6}, {0, 2, 1.5e-6}, {3, 0, 5e-9},
                           {2, 1, -3e-9}, {1, 2, 4e-9},  {0, 3, 2e-9}};
    for (const auto& t : a) {
        const auto at = static_cast<std::size_t>(t[0] * 4 + t[1]);
        s.sip.a[at] = t[2];
        s.sip.b[at] = -0.7 * t[2] + 1e-9 * (t[0] - t[1]);
    }
    return s;
}

std::string number(double v) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string rows = argc == 3 ? argv[2] : "";
    if (rows != "top-down" && rows != "bottom-up") {
        std::cerr << "usage: wcs_sample <folder> top-down|bottom-up\n";
        return 2;
    }
    const std::string folder = argv[1];
    const TanSolution solution = sampleSolution();
    const WcsImage image{1280, 960, rows == "top-down" ? FitsRows::TopDown : FitsRows::BottomUp};
    std::ofstream(folder + "/sample.wcs", std::ios::binary) << wcsHeaderText(solution, image);
    std::ofstream pixels(folder + "/pixels.txt");
    std::mt19937_64 random(42);
    for (int k = 0; k < 100; ++k) {
        const double x = static_cast<double>(random() % 1280000) / 1000 - 0.5;
        const double y = static_cast<double>(random() % 960000) / 1000 - 0.5;
        const SkyDirection sky = tanPixelToSky(solution, x, y);
        pixels << number(x) << ' ' << number(y) << ' ' << number(sky.raDeg) << ' ' << number(sky.decDeg) << '\n';
    }
    if (!pixels) {
        std::cerr << "wcs_sample: cannot write into " << folder << '\n';
        return 1;
    }
    return 0;
}

// render_compare_field: one simulated field (1000 x 800, or WIDTHxHEIGHT)
// for the solver comparison, from a star list (ra_deg,dec_deg,mag_vt):
//
//   render_compare_field STARS.csv OUT_PREFIX RA_DEG DEC_DEG ARCSEC_PER_PX UP_PA_DEG MIRROR SEED [fits] [WxH]
//
// writes OUT_PREFIX.png (8-bit grey, lossless) or, with "fits", OUT_PREFIX.fits
// (16-bit, a camera with 100 times the levels, FITS row 1 at the picture's
// bottom), OUT_PREFIX.data.txt (the catalogue answer of the list, as a
// download saves it) and OUT_PREFIX.truth.csv (x,y,ra_deg,dec_deg of every listed star on the image,
// picture pixels, y down).
// MIRROR 1 flips the image left to right, as a diagonal mirror or a
// Newtonian's odd reflection count does.
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "fieldsim/catalogue_answer.h"
#include "fieldsim/field_render.h"
#include "fieldsim/sky_projection.h"
#include "fieldsim/star_csv.h"
#include "fits/fits_image.h"
#include "state/text_file.h"

using namespace sextrix;
using namespace sextrix::fieldsim;

int main(int argc, char** argv) {
    // After the eight: "fits", and a size other than 1000 x 800 as WIDTHxHEIGHT.
    bool fits = false;
    int width = 1000, height = 800;
    bool usable = argc >= 9;
    for (int i = 9; i < argc && usable; ++i) {
        const std::string extra = argv[i];
        char tail = 0;
        if (extra == "fits")
            fits = true;
        else
            usable = std::sscanf(extra.c_str(), "%dx%d%c", &width, &height, &tail) == 2 && width > 0 && height > 0;
    }
    if (!usable) {
        std::cerr << "usage: render_compare_field STARS.csv OUT_PREFIX RA DEC SCALE PA MIRROR SEED [fits] [WxH]\n";
        return 2;
    }
    try {
        const std::vector<CatalogueStar> stars = readStarCsv(readFileBytes(argv[1]).value());
        const std::string out = argv[2];
        FieldSetup setup;
        setup.width = width;
        setup.height = height;
        setup.centreRaDeg = std::stod(argv[3]);
        setup.centreDecDeg = std::stod(argv[4]);
        setup.arcsecPerPixel = std::stod(argv[5]);
        setup.upPositionAngleDeg = std::stod(argv[6]);
        const bool mirror = std::stoi(argv[7]) != 0;
        setup.seed = std::stoull(argv[8]);
        setup.extraStars = 80;  // faint stars no catalogue lists
        setup.extraMagBright = 12.5;
        setup.extraMagFaint = 14.5;

        if (fits) {
            LuminanceImage raw = renderRawField(deeperCamera(setup, 100), stars);
            if (mirror)
                for (int y = 0; y < raw.height; ++y) {
                    const auto row = raw.values.begin() + static_cast<std::ptrdiff_t>(y) * raw.width;
                    std::reverse(row, row + raw.width);
                }
            writeFits16(out + ".fits", raw);
        } else {
            const DecodedImage image = renderField(setup, stars);
            QImage grey(image.width, image.height, QImage::Format_Grayscale8);
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x) {
                    const int from = mirror ? image.width - 1 - x : x;
                    grey.scanLine(y)[x] =
                        static_cast<uchar>(image.pixels[static_cast<std::size_t>(y) * image.width + from] & 0xFF);
                }
            if (!grey.save(QString::fromStdString(out + ".png"), "PNG")) throw std::runtime_error("cannot write PNG");
        }
        writeFileBytes(out + ".data.txt", catalogueAnswer(setup, stars));

        std::string truth = "x,y,ra_deg,dec_deg,mag\n";
        for (const CatalogueStar& s : stars) {
            const auto p = skyToImage(setup, s.raDeg, s.decDeg);
            if (!p || p->x < 0 || p->y < 0 || p->x > setup.width - 1 || p->y > setup.height - 1) continue;
            const double x = mirror ? setup.width - 1 - p->x : p->x;
            char line[160];
            std::snprintf(line, sizeof line, "%.4f,%.4f,%.8f,%.8f,%.3f\n", x, p->y, s.raDeg, s.decDeg, s.mag);
            truth += line;
        }
        writeFileBytes(out + ".truth.csv", truth);
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "render_compare_field: " << e.what() << "\n";
        return 1;
    }
}

// render_field: writes the demo field of the program folder's demo/ -- the
// image, the star-catalogue answer for it, its true solution and a README --
// from a list of catalogue stars.
//
//   render_field <stars.csv> <output folder> [--fits | --series N]
//
// --fits also writes m67.fits: the same field seen by a 16-bit camera (every
// level times 100), as a FITS file of unsigned 16-bit integers.
// --series N writes instead m67-series-1.fits .. N: that camera's frames of
// 60 s, 5 minutes apart from 2026-12-08T03:00:00 UTC (DATE-OBS, EXPTIME),
// each with its own noise, and an object of magnitude 12 that is in no
// catalogue moving at 6"/min east and 3"/min north from pixel (420, 330) at
// the middle of the first exposure.
//
// Qt serves only to write the JPEG; everything else is the plain library.
#include <QImage>
#include <QString>

#include <cmath>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "fieldsim/catalogue_answer.h"
#include "fieldsim/demo_field.h"
#include "fieldsim/demo_texts.h"
#include "fieldsim/field_render.h"
#include "fieldsim/sky_projection.h"
#include "fieldsim/star_csv.h"
#include "fits/fits_image.h"
#include "obstime/utc_time.h"
#include "state/errors.h"
#include "state/text_file.h"

namespace {

using namespace sextrix;
using namespace sextrix::fieldsim;

constexpr int kJpegQuality = 92;

void writeJpeg(const DecodedImage& image, const std::string& path) {
    QImage grey(image.width, image.height, QImage::Format_Grayscale8);
    for (int y = 0; y < image.height; ++y) {
        uchar* line = grey.scanLine(y);
        for (int x = 0; x < image.width; ++x)
            line[x] = static_cast<uchar>(image.pixels[static_cast<std::size_t>(y) * image.width + x] & 0xFF);
    }
    if (!grey.save(QString::fromStdString(path), "JPG", kJpegQuality))
        throw FileError("Cannot write " + path + " (no JPEG writer or no access)");
}

constexpr double kSeriesStartMjd = 61382.125;  // 2026-12-08T03:00:00 UTC
constexpr double kMinutesApart = 5, kExposureSeconds = 60;
constexpr double kEastArcsecPerMin = 6, kNorthArcsecPerMin = 3, kObjectMag = 12;

void writeSeries(const FieldSetup& demo, const std::vector<CatalogueStar>& stars, int frames,
                 const std::string& folder) {
    const SkyPoint start = imageToSky(demo, 420, 330);
    const double cosDec = std::cos(start.decDeg * 3.14159265358979323846 / 180);
    for (int k = 0; k < frames; ++k) {
        FieldSetup setup = deeperCamera(demo, 100);
        setup.seed = demo.seed + 1000 + static_cast<std::uint64_t>(k);
        const double minutes = k * kMinutesApart;  // from the first frame's middle
        std::vector<CatalogueStar> seen = stars;
        seen.push_back({start.raDeg + kEastArcsecPerMin * minutes / 3600 / cosDec,
                        start.decDeg + kNorthArcsecPerMin * minutes / 3600, kObjectMag});
        const double startMjd = kSeriesStartMjd + minutes / 1440;
        writeFits16(joinPath(folder, "m67-series-" + std::to_string(k + 1) + ".fits"), renderRawField(setup, seen),
                    {{"DATE-OBS", isoUtcText(startMjd, 0).substr(0, 19)},
                     {"EXPTIME", std::to_string(static_cast<int>(kExposureSeconds))}});
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool fits = argc == 4 && std::string(argv[3]) == "--fits";
    const int series = argc == 5 && std::string(argv[3]) == "--series" ? std::atoi(argv[4]) : 0;
    if (argc != 3 && !fits && series < 1) {
        std::cerr << "usage: render_field <stars.csv> <output folder> [--fits | --series N]\n";
        return 2;
    }
    try {
        const std::string starPath = argv[1], folder = argv[2];
        const std::vector<CatalogueStar> stars = readStarCsv(readFileBytes(starPath).value());
        const FieldSetup setup = m67DemoSetup();
        const DemoFiles files{"m67.jpg", "data.txt", "solution.txt",
                              std::filesystem::path(starPath).filename().string()};

        std::filesystem::create_directories(folder);
        writeJpeg(renderField(setup, stars), joinPath(folder, files.image));
        writeFileBytes(joinPath(folder, files.answer), catalogueAnswer(setup, stars));
        writeFileBytes(joinPath(folder, files.solution), solutionText(setup, stars));
        writeFileBytes(joinPath(folder, "README.md"), demoReadme(setup, stars, files));
        if (fits) writeFits16(joinPath(folder, "m67.fits"), renderRawField(deeperCamera(setup, 100), stars));
        if (series > 0) writeSeries(setup, stars, series, folder);
        std::cout << "wrote " << files.image << ", " << files.answer << ", " << files.solution << " and README.md in "
                  << folder << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "render_field: " << e.what() << "\n";
        return 1;
    }
}

// render_field: writes the demo field of the program folder's demo/ -- the
// image, the star-catalogue answer for it, its true solution and a README --
// from a list of catalogue stars.
//
//   render_field <stars.csv> <output folder> [--fits]
//
// --fits also writes m67.fits: the same field seen by a 16-bit camera (every
// level times 100), as a FITS file of unsigned 16-bit integers.
//
// Qt serves only to write the JPEG; everything else is the plain library.
#include <QImage>
#include <QString>

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "fieldsim/catalogue_answer.h"
#include "fieldsim/demo_field.h"
#include "fieldsim/demo_texts.h"
#include "fieldsim/field_render.h"
#include "fieldsim/star_csv.h"
#include "fits/fits_image.h"
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

}  // namespace

int main(int argc, char** argv) {
    const bool fits = argc == 4 && std::string(argv[3]) == "--fits";
    if (argc != 3 && !fits) {
        std::cerr << "usage: render_field <stars.csv> <output folder> [--fits]\n";
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
        std::cout << "wrote " << files.image << ", " << files.answer << ", " << files.solution << " and README.md in "
                  << folder << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "render_field: " << e.what() << "\n";
        return 1;
    }
}

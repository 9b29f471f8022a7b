#include "blind_solving.h"

#include <cmath>
#include <sstream>
#include <stdexcept>

#include "auto_solve.h"
#include "blind/blind_solve.h"
#include "box_numbers.h"
#include "calibration_result.h"
#include "captions.h"
#include "control_writes.h"
#include "detect/luminance_image.h"
#include "download.h"
#include "geometry/tan_projection.h"
#include "image_file.h"
#include "localcat/local_star_answer.h"
#include "measurements.h"
#include "model/busy_guard.h"
#include "model/status.h"
#include "run_handler.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr int kNeedsLocal = 234, kSearching = 235, kNotFound = 236, kFound = 237;

std::string text(const App& app, int entry, const char* english, const std::vector<std::string>& values = {}) {
    return laterFormEntry(app.ctx.lang, entry, english, values);
}

// The centre and the scale factors in their boxes, J2000.0.
void writeHints(App& app, const SkyDirection& centre, double arcsecPerPixel) {
    Form1Model& form = app.form1;
    const char separator = app.ctx.decimalSeparator;
    // "08 51 18.00" and "+11 48 00.0", as the measurements show positions.
    const auto fields = [](const std::string& text) {
        std::istringstream in(text);
        std::vector<std::string> words;
        for (std::string word; in >> word;) words.push_back(word);
        return words;
    };
    const std::vector<std::string> ra = fields(measuredRaText(centre.raDeg, separator));
    std::vector<std::string> dec = fields(measuredDecText(centre.decDeg, separator));
    form.txt_dec_sign_show[0].caption = dec[0].substr(0, 1);
    dec[0].erase(0, 1);
    for (std::size_t k = 0; k < 3; ++k) {
        setText(app, form.txt_ra[k], ra[k]);
        setText(app, form.txt_dec[k], dec[k]);
    }
    setText(app, form.txt_epoch, "2000" + std::string(1, separator) + "0");
    const double corrDec = 3600 / arcsecPerPixel;
    writeScaleFactors(app, corrDec * std::cos(centre.decDeg * M_PI / 180), corrDec);
}

}  // namespace

void BlindSolve_Click(App& app) {
    const BusyGuard busy(app.ctx.stepRunning);
    if (!busy) return;
    Form1Model& form = app.form1;
    const ServiceAddress star = readHostsSettings(app).star;
    if (star.protocol != kLocalProtocol) {
        AddStatus(form, app.platform.events,
                  text(app, kNeedsLocal,
                       "Blind solving needs a local catalogue and its index: write star=local:PATH in hosts.cfg "
                       "(made with sextrix-catalog import, then sextrix-catalog index)."));
        return;
    }
    bool found = false;
    runHandler(app, [&] {
        const double magLimit = strictBoxNumber(app, form.txt_mag.text, boxName(app.ctx.lang, 30, "Mag limit:"));
        Loadimg_Click(app);
        if (form.ws.imageLoaded != kTrue) return;
        AddStatus(form, app.platform.events,
                  text(app, kSearching, "Blind solve: looking for the field in %1…", {star.address}));
        const LuminanceImage image = luminanceImage(form.Picture1);
        BlindSolve result;
        try {
            const BlindSolver solver(star.address, blindIndexPathOf(star.address), {}, magLimit);
            result = solver.solve(detectStars(image), image.width, image.height);
        } catch (const std::runtime_error& error) {
            result.outcome.reason = error.what();
        }
        if (!result.outcome.solved) {
            AddStatus(form, app.platform.events, text(app, kNotFound, "Blind solve: %1", {result.outcome.reason}));
            return;
        }
        const TanSolution& s = result.outcome.solution;
        const SkyDirection centre = tanPixelToSky(s, (image.width - 1) / 2.0, (image.height - 1) / 2.0);
        const double scale = tanScaleArcsecPerPixel(s);
        writeHints(app, centre, scale);
        // The star answer's radius: one and a half half-diagonals of the picture.
        const double radiusArcmin = 1.5 * std::hypot(image.width, image.height) / 2 * scale / 60;
        setText(app, form.txt_distance, numberToText(std::ceil(radiusArcmin), app.ctx.decimalSeparator));
        AddStatus(form, app.platform.events,
                  text(app, kFound, "Blind solve: the field is at %1 %2, %3\"/px; the automatic solve follows.",
                       {measuredRaText(centre.raDeg, app.ctx.decimalSeparator),
                        measuredDecText(centre.decDeg, app.ctx.decimalSeparator),
                        fixedText(scale, 3, app.ctx.decimalSeparator)}));
        found = true;
    });
    if (!found) return;
    // On from the centre found as from a typed one: the local star answer
    // around it, then the automatic solve with its question.
    DownloadStep(app);
    autoSolveField(app);
}

}  // namespace sextrix

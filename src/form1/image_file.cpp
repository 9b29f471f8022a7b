#include "image_file.h"

#include <memory>

#include "catalog/image_loading.h"
#include "control_writes.h"
#include "failure_text.h"
#include "fits/display_stretch.h"
#include "fits/fits_image.h"
#include "measurements.h"
#include "reduction.h"
#include "state/text_file.h"

namespace sextrix {
namespace {

// A decoder answer the picture can hold: positive size, one colour per pixel.
bool holdable(const DecodedImage& image) {
    return image.width > 0 && image.height > 0 &&
           image.pixels.size() == static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
}

// What the picture decoder and the FITS reader read here (TIFF only with
// Qt's extra image format plugins, so it is not offered).
constexpr const char* kImageFilter =
    "Images (*.jpg *.jpeg *.bmp *.png *.gif *.pbm *.pgm *.ppm *.fits *.fit *.fts);;FITS (*.fits *.fit *.fts);;* (*)";

Stretch chosenStretch(const Form1Model& form) {
    return form.stretchChoice >= 0 && form.stretchChoice < kStretchCount ? static_cast<Stretch>(form.stretchChoice)
                                                                         : Stretch::Automatic;
}

// A decoded picture and, for a FITS file, the raw values it shows.
struct LoadedPicture {
    DecodedImage image;
    std::shared_ptr<const LuminanceImage> raw;
    std::map<std::string, std::string> keywords;  // of a FITS header
};

Result<LoadedPicture> loadPicture(App& app, const std::string& path) {
    LoadedPicture loaded;
    if (!isFitsFile(path)) {
        Result<DecodedImage> image = app.platform.images.decode(path);
        if (!image) return std::move(image).error();
        loaded.image = std::move(*image);
    } else {
        Result<FitsImage> fits = readFitsImage(path);
        if (!fits) return std::move(fits).error();
        loaded.raw = std::make_shared<const LuminanceImage>(std::move(fits->image));
        loaded.keywords = std::move(fits->keywords);
        loaded.image = {loaded.raw->width, loaded.raw->height, stretchToGrey(*loaded.raw, chosenStretch(app.form1))};
    }
    if (!holdable(loaded.image)) return ReadError{.file = path, .cause = "Invalid picture"};
    return loaded;
}

}  // namespace

// An installed program finds "demo/m67.jpg" among its data.
std::string imagePathOf(const App& app, const std::string& typed) {
    const std::string own = resolveImagePath(typed, app.ctx.programFolder);
    if (app.ctx.dataFolder.empty() || own == typed || fileExists(own)) return own;
    const std::string shipped = resolveImagePath(typed, app.ctx.dataFolder);
    return fileExists(shipped) ? shipped : own;
}

bool chooseImageFile(App& app, TextBox& box) {
    std::string folder = app.ctx.programFolder;
    if (!box.text.empty()) {
        const std::string current = imagePathOf(app, box.text);
        if (const auto slash = current.rfind('/'); slash != std::string::npos && slash > 0)
            folder = current.substr(0, slash);
    }
    const auto chosen = app.platform.dialogs.chooseFile({"Image", kImageFilter, folder, false});
    if (!chosen) return false;
    setText(app, box, *chosen);
    return true;
}

void BrowseImage_Click(App& app) {
    if (chooseImageFile(app, app.form1.txt_url)) Loadimg_Click(app);
}

void Loadimg_Click(App& app) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    // The box's text names the file; the failure says what went wrong.
    const auto refuse = [&](const std::string& why) {
        app.platform.dialogs.message(form.txt_url.text + ": " + why, "Velorin Sextrix", false);
        ws.imageLoaded = kFalse;
    };
    try {
        const std::string path = imagePathOf(app, form.txt_url.text);
        // Everything that can fail comes before the picture changes, so a
        // failure leaves the picture shown and its state as they were.
        Result<LoadedPicture> loaded = loadPicture(app, path);
        if (!loaded) return refuse(failureCause(app.ctx.lang, loaded.error()));
        const Result<std::string> time = fileTimeText(path);
        if (!time) return refuse(failureCause(app.ctx.lang, time.error()));
        DecodedImage& image = loaded->image;
        // A picture of the size already shown (the calculation reloads it, a
        // camera overwrites it) keeps the box as the view has placed and
        // sized it, so the user's panning and zoom stay.
        const bool sameSize = image.width == form.Picture1.width() && image.height == form.Picture1.height();
        form.Picture1.setImage(image.width, image.height, std::move(image.pixels), std::move(loaded->raw));
        // Only a picture with values beyond 8 bits (FITS) can be stretched.
        form.mnu_stretch.enabled = form.Picture1.rawValues() != nullptr;
        if (!sameSize) {
            form.Picture1Box.width = image.width;
            form.Picture1Box.height = image.height;
            form.Picture1Box.left = 0;
            form.Picture1Box.top = 0;
        }
        ws.imageLoaded = kTrue;
        ws.imageFileTime = *time;
        ws.imageKeywords = std::move(loaded->keywords);
        // The calculation reloads the picture it solves; another file, or
        // the file overwritten, is a new image and starts a new reduction.
        const std::string shown = path + '\n' + *time;
        if (shown != ws.imageShown) {
            forgetSolution(form);
            forgetPicks(form);
            ws.imageShown = shown;
        }
        placeMeasureMarkers(form);
    } catch (const std::exception& failure) {
        refuse(failureText(app.ctx.lang, failure));  // e.g. no memory for the picture
    }
}

void mnu_stretch_Click(App& app, int choice) {
    Form1Model& form = app.form1;
    if (choice < 0 || choice >= kStretchCount) return;
    form.stretchChoice = choice;
    const auto raw = form.Picture1.rawValues();
    if (!raw) return;
    form.Picture1.setImage(raw->width, raw->height, stretchToGrey(*raw, chosenStretch(form)), raw);
}

void CheckAutoload_Click(App& app) { app.form1.Timer3.enabled = app.form1.CheckAutoload.value == 1; }

void Timer3_Timer(App& app) {
    Form1Model& form = app.form1;
    if (!form.Timer3.enabled) return;
    const Result<std::string> time = fileTimeText(imagePathOf(app, form.txt_url.text));
    if (!time) return;  // missing or being replaced: the next tick tries again
    if (*time == form.ws.imageFileTime) return;
    // Taken before loading: a file that does not decode is reported once
    // rather than every second, and a tick arriving while that message is
    // open does not load again.
    form.ws.imageFileTime = *time;
    Loadimg_Click(app);
}

}  // namespace sextrix

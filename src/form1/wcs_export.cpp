#include "wcs_export.h"

#include <exception>

#include "failure_text.h"
#include "fits/fits_image.h"
#include "image_file.h"
#include "persist/wcs_header.h"
#include "precision_texts.h"
#include "state/errors.h"
#include "state/text_file.h"

namespace sextrix {
namespace {

constexpr const char* kTitle = "Velorin Sextrix";

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// The save dialog for IMAGE.wcs; the export asks itself before replacing.
Dialogs::FileRequest wcsRequest(const App& app, const std::string& imagePath) {
    const LanguageTables& lang = app.ctx.lang;
    const std::string folder = folderOf(imagePath);
    const bool open =
        folderAcceptsFiles(folder) && (app.ctx.dataFolder.empty() || !isWithinFolder(folder, app.ctx.dataFolder));
    Dialogs::FileRequest request{precisionText(lang, PrecisionText::MenuExportWcs),
                                 precisionText(lang, PrecisionText::WcsFilter),
                                 wcsSaveFolder(folder, open, app.ctx.programFolder), true};
    request.name = nameOf(wcsSidecarPath(imagePath));
    request.confirmOverwrite = false;
    return request;
}

}  // namespace

std::string wcsSaveFolder(const std::string& imageFolder, bool imageFolderOpen, const std::string& programFolder) {
    return imageFolderOpen ? imageFolder : programFolder;
}

void mnu_exportwcs_Click(App& app) {
    const WorkingState& ws = app.ws();
    const LanguageTables& lang = app.ctx.lang;
    Dialogs& dialogs = app.platform.dialogs;
    if (!ws.refinement.solution || app.form1.Picture1.empty()) {
        dialogs.message(precisionText(lang, PrecisionText::NoRefinement), kTitle, false);
        return;
    }
    const std::string imagePath = imagePathOf(app, app.form1.txt_url.text);
    const auto chosen = dialogs.chooseFile(wcsRequest(app, imagePath));
    if (!chosen) return;
    const std::string& path = *chosen;
    if (fileExists(path) && !dialogs.askYesNo(precisionText(lang, PrecisionText::WcsReplace, {path}), kTitle)) return;
    // A FITS image is shown with its first row at the bottom.
    const FitsRows rows = isFitsFile(imagePath) ? FitsRows::BottomUp : FitsRows::TopDown;
    const WcsImage image{app.form1.Picture1.width(), app.form1.Picture1.height(), rows};
    try {
        writeFileBytes(path, wcsHeaderText(*ws.refinement.solution, image));
    } catch (const std::exception& failure) {
        // A file failure names the path the message already gives.
        const auto* file = dynamic_cast<const FileError*>(&failure);
        const std::string reason = file && !file->reason.empty() ? file->reason : failureText(lang, failure);
        dialogs.message(precisionText(lang, PrecisionText::WcsNotWritten) + path + " (" + reason + ")", kTitle, false);
        return;
    }
    dialogs.message(precisionText(lang, PrecisionText::WcsWritten) + path, kTitle, false);
}

}  // namespace sextrix

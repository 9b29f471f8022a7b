#include "catalogue_files.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <vector>

#include "captions.h"
#include "catalog/asteroid_list_reader.h"
#include "catalog/catalogue_area.h"
#include "catalog/deep_sky_reader.h"
#include "catalog/star_list_reader.h"
#include "chart.h"
#include "failure_text.h"
#include "geometry/centre.h"
#include "model/status.h"
#include "state/errors.h"
#include "state/text_file.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

struct CatalogueFile {
    const char* fileName;
    const char* prefix;
};
constexpr CatalogueFile kCatalogueFiles[] = {{"deepobj1.txt", "NGC "}, {"deepobj2.txt", "IC "}};

std::optional<double> raOf(const std::optional<StepCentre>& centre) {
    return centre ? std::optional<double>(centre->raDeg) : std::nullopt;
}

// A status line when the step's centre has left the area the answer was
// fetched for. An answer without an area (written by hand, or before areas
// were kept) is read without a word: the demo's is one.
// An area file that cannot be read is said, and read as no area.
void warnWhenOutsideArea(App& app, const std::string& path, const std::string& answer, const StepCentre& centre) {
    const Result<std::optional<CatalogueArea>> read = areaBeside(path, answer);
    if (!read) {
        AddStatus(app.form1, app.platform.events, failureText(app.ctx.lang, read.error()));
        return;
    }
    const std::optional<CatalogueArea>& area = *read;
    if (!area) return;
    const PictureSurface& picture = app.form1.Picture1;
    const double halfDiagonal = halfDiagonalDeg(picture.width(), picture.height(), app.ws().corrDec);
    if (!centreOutsideArea(*area, centre.raDeg, centre.decDeg, halfDiagonal)) return;
    const std::vector<std::string> values = {
        std::filesystem::path(path).filename().string(), positionText(area->raDeg, area->decDeg),
        numberToText(area->radiusArcmin, app.ctx.decimalSeparator), positionText(centre.raDeg, centre.decDeg)};
    AddStatus(app.form1, app.platform.events,
              laterFormEntry(app.ctx.lang, 127,
                             "%1 was fetched around %2 (radius %3'); the typed centre %4 lies outside it: its stars "
                             "may be another field's. Run 1-Download again.",
                             values));
}

void showFailure(App& app, const ReadError& failure) {
    app.platform.dialogs.message(failureText(app.ctx.lang, failure), app.form1.caption, false);
}

}  // namespace

void READFILE(App& app, const std::optional<StepCentre>& centre) {
    WorkingState& ws = app.ws();
    const auto& messages = app.ctx.lang.messages;
    AddStatus(app.form1, app.platform.events, messages[18]);

    const std::string path = app.programFile("data.txt");
    std::string answer;
    std::vector<StarRecord> stars;
    if (Result<std::string> bytes = readFileBytes(path); !bytes) {
        showFailure(app, bytes.error());
    } else {
        answer = std::move(*bytes);
        Result<std::vector<StarRecord>> read = parseStarList(answer, path, ws.corrAsd, ws.corrDec, raOf(centre));
        if (!read) {
            // Half a list mixed with an earlier one would mislead the search.
            ws.catTotal = 0;
            ws.catCount = 0;
            throw ReadFailure(std::move(read).error());
        }
        stars = std::move(*read);
    }

    // Entries above the new total keep an earlier reading's values, as the
    // consumers only look at 1..catTotal.
    for (std::size_t i = 0; i < stars.size(); ++i) {
        auto& star = stars[i];
        ws.catIds[i + 1] = std::move(star.id);
        ws.catX[i + 1] = star.x;
        ws.catY[i + 1] = star.y;
        ws.catRa[i + 1] = star.ra;
        ws.catDec[i + 1] = star.dec;
        ws.catMagR[i + 1] = std::move(star.magR);
        ws.catMagB[i + 1] = std::move(star.magB);
    }
    const auto total = static_cast<Int16>(stars.size());
    ws.catTotal = total;
    ws.catCount = std::min<Int16>(total, kIdentifyCapacity);
    AddStatus(app.form1, app.platform.events,
              app.ctx.lang.formTexts[20] + ": " + intToText(ws.catCount) + "/" + intToText(ws.catTotal) + messages[19]);
    if (!answer.empty() && centre) warnWhenOutsideArea(app, path, answer, *centre);
}

void READFILE_ASTER(App& app, const std::optional<StepCentre>& centre) {
    WorkingState& ws = app.ws();
    const std::string path = app.programFile("data2.txt");
    std::vector<AsteroidRecord> asteroids;
    if (Result<std::string> bytes = readFileBytes(path); !bytes) {
        // Without asteroids on the map, their list is not missed.
        if (app.form1.CheckAster.value == kTicked) showFailure(app, bytes.error());
    } else {
        Result<std::vector<AsteroidRecord>> read =
            parseAsteroidList(std::move(*bytes), path, ws.corrAsd, ws.corrDec, raOf(centre));
        if (!read) {
            ws.astCount = 0;
            throw ReadFailure(std::move(read).error());
        }
        asteroids = std::move(*read);
    }

    for (std::size_t k = 0; k < asteroids.size(); ++k) {
        auto& a = asteroids[k];
        ws.astNumbers[k + 1] = std::move(a.number);
        ws.astNames[k + 1] = std::move(a.name);
        ws.astX[k + 1] = std::move(a.x);
        ws.astY[k + 1] = std::move(a.y);
        ws.astText48[k + 1] = std::move(a.text48);
        ws.astText70[k + 1] = std::move(a.text70);
        ws.astText77[k + 1] = std::move(a.text77);
    }
    // The count is that of the lines read, which is (lines - 53) for a page
    // with the usual 40-line trailer; counting from the line total alone
    // would show stale entries when "</pre>" comes early.
    ws.astCount = static_cast<Int16>(asteroids.size());
    AddStatus(app.form1, app.platform.events,
              app.ctx.lang.formTexts[75] + ": " + intToText(ws.astCount) + app.ctx.lang.messages[19]);
}

void READFILE_NGCIC(App& app, const StepCentre& centre) {
    WorkingState& ws = app.ws();

    DeepSkyWindow window;
    window.corrAsd = ws.corrAsd;
    window.corrDec = ws.corrDec;
    window.centreX = centre.raDeg * ws.corrAsd;
    window.centreY = centre.decDeg * ws.corrDec;
    window.centreRa = centre.raDeg;
    window.halfWidth = deepSkyHalfWidth(ws.corrAsd, ws.corrDec, parseLeadingNumber(app.form1.txt_distance.text));
    window.decimalSeparator = app.ctx.decimalSeparator;

    std::vector<DeepSkyObject> kept;
    for (const auto& file : kCatalogueFiles) {
        const std::string path = app.dataFile(file.fileName);
        // A bad line is shown; the objects before it are kept, and the next
        // file is read.
        const Result<DeepSkyFileScan> scan = readFileBytes(path).andThen(
            [&](std::string bytes) { return scanDeepSkyFile(std::move(bytes), path, file.prefix, window, kept); });
        if (!scan) {
            showFailure(app, scan.error());
            continue;
        }
        if (scan->full) break;
    }

    for (std::size_t i = 0; i < kept.size(); ++i) {
        auto& o = kept[i];
        ws.deepNames[i + 1] = std::move(o.name);
        ws.deepPgc[i + 1] = std::move(o.pgc);
        ws.deepX[i + 1] = o.x;
        ws.deepY[i + 1] = o.y;
        ws.deepSize1[i + 1] = o.size1;
        ws.deepSize2[i + 1] = o.size2;
        ws.deepPa[i + 1] = o.pa;
        ws.deepText51[i + 1] = std::move(o.text51);
        ws.deepText79[i + 1] = std::move(o.text79);
        ws.deepText97[i + 1] = std::move(o.text97);
        ws.deepText113[i + 1] = std::move(o.text113);
    }
    ws.deepCount = static_cast<Int16>(kept.size());
    const LanguageTables& lang = app.ctx.lang;
    AddStatus(app.form1, app.platform.events, lang.formTexts[76] + ": " + intToText(ws.deepCount) + lang.messages[19]);
    // The chart to come is the calculation's until a solution is accepted,
    // then the full map's; each has its box.
    const CheckBox& shown = ws.solved == kTrue ? app.form1.CheckDeepObj2 : app.form1.CheckDeepObj1;
    if (ws.deepCount > 0 && shown.value != kTicked)
        AddStatus(app.form1, app.platform.events,
                  laterFormEntry(lang, 154, "Not drawn: tick \"%1\" in the %2 tab to show them.",
                                 {shown.caption, app.form1.tabCaptions[4]}));
}

}  // namespace sextrix

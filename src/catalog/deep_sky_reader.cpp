#include "deep_sky_reader.h"

#include "catalogue_columns.h"
#include "geometry/centre.h"
#include "state/errors.h"
#include "state/status.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr int kHeaderLines = 2;

struct CatalogueFile {
    const char* fileName;
    const char* prefix;
};
constexpr CatalogueFile kCatalogueFiles[] = {{"deepobj1.txt", "NGC "}, {"deepobj2.txt", "IC "}};

bool insideWindow(double x, double y, const DeepSkyWindow& w) {
    return w.centreX - w.halfWidth < x && x < w.centreX + w.halfWidth &&
           w.centreY - w.halfWidth < y && y < w.centreY + w.halfWidth;
}

// The rest of an object whose position is already known to be in the window.
void readDetails(std::string_view line, std::string_view prefix, char separator,
                 DeepSkyObject& o) {
    o.name = std::string(prefix) + numberToText(parseLeadingNumber(column(line, 1, 5)), separator);
    o.text51 = column(line, 51, 4);
    o.size1 = parseLeadingNumber(column(line, 62, 6));
    o.size2 = parseLeadingNumber(column(line, 69, 5));
    if (o.size2 == 0) o.size2 = o.size1;
    o.pa = parseLeadingNumber(column(line, 75, 3));
    o.text79 = column(line, 79, 8);
    o.pgc = "PGC " + numberToText(parseLeadingNumber(column(line, 88, 7)), separator);
    o.text97 = column(line, 97, 15);
    o.text113 = column(line, 113, 15);
}

}  // namespace

double deepSkyHalfWidth(double corrAsd, double corrDec, double fieldArcmin) {
    const double s = corrDec < 0 ? corrAsd : corrDec;
    return roundHalfEven(s * 2 / 60 * fieldArcmin);
}

DeepSkyFileScan scanDeepSkyFile(std::string bytes, std::string_view prefix,
                                const DeepSkyWindow& window, std::vector<DeepSkyObject>& kept) {
    DeepSkyFileScan scan;
    LineReader reader(std::move(bytes));
    int lineNumber = 0;
    for (; lineNumber < kHeaderLines && !reader.atEnd(); ++lineNumber) reader.readLine();

    const auto capacity = static_cast<std::size_t>(kObjectCapacity);
    while (kept.size() < capacity && !reader.atEnd()) {
        const std::string line = reader.readLine();
        ++lineNumber;
        try {
            DeepSkyObject o;
            o.x = scaledWhole(raDegreesFromColumns(column(line, 21, 2), column(line, 24, 2),
                                                   column(line, 27, 4)),
                              window.corrAsd);
            o.y = scaledWhole(decDegreesFromColumns(column(line, 32, 3), column(line, 36, 2),
                                                    column(line, 39, 2)),
                              window.corrDec);
            if (!insideWindow(o.x, o.y, window)) continue;
            readDetails(line, prefix, window.decimalSeparator, o);
            kept.push_back(std::move(o));
        } catch (const OverflowError& e) {
            scan.badLine = lineNumber;
            scan.failure = e.what();
            break;
        }
    }
    scan.full = kept.size() >= capacity;
    return scan;
}

void READFILE_NGCIC(App& app) {
    WorkingState& ws = app.ws();
    CentreJ2000(app);

    DeepSkyWindow window;
    window.corrAsd = ws.corrAsd;
    window.corrDec = ws.corrDec;
    window.centreX = ws.centreRa;
    window.centreY = ws.centreDec;
    window.halfWidth =
        deepSkyHalfWidth(ws.corrAsd, ws.corrDec, parseLeadingNumber(app.form1.txt_distance.text));
    window.decimalSeparator = app.ctx.decimalSeparator;

    std::vector<DeepSkyObject> kept;
    for (const auto& file : kCatalogueFiles) {
        const std::string path = app.programFile(file.fileName);
        DeepSkyFileScan scan;
        try {
            scan = scanDeepSkyFile(readFileBytes(path), file.prefix, window, kept);
        } catch (const FileError& e) {
            app.platform.dialogs.message(e.what(), app.form1.caption, false);
            continue;
        }
        if (scan.badLine != 0)
            app.platform.dialogs.message(
                path + ", line " + intToText(scan.badLine) + ": " + scan.failure, app.form1.caption,
                false);
        if (scan.full) break;
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
    ws.loopI = ws.deepCount;
    AddStatus(app.form1, app.platform.events,
              app.ctx.lang.formTexts[76] + ": " + intToText(ws.deepCount) +
                  app.ctx.lang.messages[19]);
}

}  // namespace sextrix

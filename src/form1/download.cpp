#include "download.h"

#include <cmath>
#include <filesystem>
#include <optional>

#include "box_numbers.h"
#include "captions.h"
#include "catalog/answer_fetch.h"
#include "catalog/catalogue_area.h"
#include "catalog/download_queries.h"
#include "control_writes.h"
#include "download_texts.h"
#include "failure_text.h"
#include "geometry/precession.h"
#include "localcat/local_star_answer.h"
#include "model/busy_guard.h"
#include "model/status.h"
#include "obstime/utc_time.h"
#include "run_handler.h"
#include "state/errors.h"
#include "state/text_file.h"
#include "state/text_number.h"
#include "suggestions.h"
#include "update_check.h"

namespace sextrix {
namespace {

const char* const kHostsFile = "hosts.cfg";

// One status line kept up to date while a transfer runs. Lines are only ever
// added on top, so it keeps its place counted from the bottom.
class StatusLine {
public:
    StatusLine(App& app, bool enabled) : app_(app), enabled_(enabled) {}
    void show(const std::string& text) {
        if (!enabled_) return;
        auto& items = app_.form1.status.items;
        if (fromBottom_ == kNone) {
            AddStatus(app_.form1, app_.platform.events, text);
            fromBottom_ = items.size() - 1;
        } else if (fromBottom_ < items.size()) {
            items[items.size() - 1 - fromBottom_] = text;
        }
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    App& app_;
    bool enabled_;
    std::size_t fromBottom_ = kNone;
};

std::string previousKept(const LanguageTables& lang) { return laterFormEntry(lang, 87, "The previous file is kept."); }

// The words of a failed transfer in the interface's language.
FetchWords fetchWords(const LanguageTables& lang) {
    FetchWords words;
    words.cancelled = laterFormEntry(lang, 89, "download cancelled");
    words.silentFor = laterFormEntry(lang, 90, "no answer from the server for");
    words.tooLarge = laterFormEntry(lang, 91, "answer too large");
    words.notAnAnswer = laterFormEntry(lang, 88, "not a catalogue answer");
    // The server's reason phrase is in its own language: the code says it all.
    words.httpStatus = [&lang](int status) { return httpFailureText(lang, status); };
    words.size = [&lang](std::uint64_t bytes) { return kilobyteText(lang, bytes); };
    return words;
}

// The number a box holds, written with the locale's separator; anything else
// stops the step with a message naming the box.
double boxNumber(const App& app, const TextBox& box, const std::string& name) {
    return strictBoxNumber(app, box.text, name);
}

// A search radius or magnitude limit: the services get it as typed, so "."
// is its point whatever the locale; the locale's separator is taken too.
double queryNumber(const App& app, const TextBox& box, const std::string& name) {
    try {
        if (const auto value = tryParseStrictNumber(box.text, '.')) return *value;
    } catch (const OverflowError&) {
        throw outOfRange(app.ctx.lang, name, box.text);
    }
    return boxNumber(app, box, name);
}

// False when the answer could not be fetched (the previous file stays).
template <class Query>
bool downloadAnswer(App& app, std::span<const Protocol<Query>> table, const ServiceAddress& service,
                    const HostsSettings& hosts, const Query& query, const char* file) {
    const Protocol<Query>* protocol = findProtocol(table, service.protocol);
    if (!protocol) {
        AddStatus(app.form1, app.platform.events,
                  service.address + " → " + file + ": " +
                      laterFormEntry(app.ctx.lang, 92, "unknown protocol in hosts.cfg") + " \"" + service.protocol +
                      "\". " + previousKept(app.ctx.lang));
        return false;
    }
    DownloadOptions options;
    options.host = service.address;
    options.timeoutSeconds = hosts.timeoutSeconds;
    options.accept = [&](std::string body) { return protocol->answer(std::move(body), query); };
    return DownloadToFile(app, protocol->url(service.address, query), app.programFile(file), options) ==
           Transfer::Replaced;
}

// hosts.cfg's "star=local:PATH": the answer read from the local catalogue,
// with no network. False when it could not be (the previous file stays).
bool readLocalAnswer(App& app, const ServiceAddress& service, const StarQuery& query) {
    const std::string path = app.programFile("data.txt");
    const std::string prefix = service.address + " → data.txt: ";
    const AnswerOutcome answer = localStarAnswer(service.address, query, std::nullopt);
    std::string failure = answer ? std::string() : failureText(app.ctx.lang, answer.error());
    if (answer) {
        try {
            writeFileBytes(path, answer->bytes);
        } catch (const FileError& error) {
            failure = failureText(app.ctx.lang, error);
        }
    }
    AddStatus(app.form1, app.platform.events,
              prefix + (failure.empty() ? answer->summary : failure + ". " + previousKept(app.ctx.lang)));
    return failure.empty();
}

// Written after the answer it describes. When it cannot be written, the old
// area goes: it would describe another list (its hash already disowns it).
void recordArea(const App& app, const StarQuery& query, const ServiceAddress& service) {
    const std::string answer = app.programFile("data.txt"), path = catalogueAreaPath(answer);
    const CatalogueArea area{query.raDeg, query.decDeg, query.radiusArcmin, query.magLimit,
                             service.protocol + ":" + service.address};
    try {
        writeFileBytes(path, formatCatalogueArea(area, readFileBytes(answer).value()));
    } catch (const std::runtime_error&) {  // the answer could not be read, or the area written
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
}

void downloadAsteroidsOfStep(App& app, bool minus, const StarQuery& stars) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    ws.decSign = minus ? "-" : "";
    PadCoordinates(app);
    ws.lineText = form.txt_ra[0].text + "+" + form.txt_ra[1].text + "+" + form.txt_ra[2].text;
    ws.decSign += form.txt_dec[0].text + "+" + form.txt_dec[1].text + "+" + form.txt_dec[2].text;

    AsteroidQuery query;
    const LanguageTables& lang = app.ctx.lang;
    const auto& date = form.txt_Adate;
    double when[5];
    for (int k = 0; k < 5; ++k)
        when[k] = k < 3 ? boxNumber(app, date[k], boxName(lang, 34, "Date (d/m/y):", k + 1, 3))
                        : boxNumber(app, date[k], boxName(lang, 35, "Time (UT):", k - 2, 2));
    query.month = toInt16Checked(when[1]);
    query.year = toInt16Checked(when[2]);
    query.day = dayWithFraction(when[0], when[3], when[4]);
    ws.asteroidDay = numberToText(query.day, app.ctx.decimalSeparator);
    query.raDeg = stars.raDeg;
    query.decDeg = stars.decDeg;
    const std::string tab = boxName(lang, 75, "Asteroids") + ", ";
    query.radiusArcmin = queryNumber(app, form.txt_Afield, tab + boxName(lang, 43, "Field:"));
    query.magLimit = queryNumber(app, form.Txt_Amag, tab + boxName(lang, 44, "Mag limit:"));
    query.yearText = date[2].text;
    query.monthText = date[1].text;
    query.dayText = ws.asteroidDay;
    query.raText = ws.lineText;
    query.decText = ws.decSign;
    query.radiusText = form.txt_Afield.text;
    query.limitText = form.Txt_Amag.text;

    const auto& messages = app.ctx.lang.messages;
    AddStatus(form, app.platform.events, messages[21]);
    // The closing line says the list arrived: after a failure the line
    // naming the host and the reason is the last word.
    ws.asteroidMjd.reset();
    if (DownloadAsteroids(app, query)) {
        AddStatus(form, app.platform.events, messages[22]);
        const double day = std::floor(query.day);
        ws.asteroidMjd = mjdOf({query.year, query.month, static_cast<int>(day), (query.day - day) * 86400});
    }
}

}  // namespace

const char* programVersion() { return SEXTRIX_VERSION; }

// The settings of hosts.cfg; the defaults when there is none. The file may
// exist and not be readable (a folder, no permission): that is an error.
Result<HostsReading> readHosts(const App& app) {
    const std::string path = app.programFile(kHostsFile);
    std::error_code missing;
    if (!std::filesystem::exists(path, missing)) return HostsReading{};
    return readFileBytes(path).andThen(
        [&](std::string text) -> Result<HostsReading> { return readHostsFile(text, path); });
}

HostsSettings readHostsSettings(const App& app) { return readHosts(app).valueOr({}).settings; }

void ReportHostsProblems(App& app) {
    const LanguageTables& lang = app.ctx.lang;
    const Result<HostsReading> reading = readHosts(app);
    if (!reading) {
        // The defaults are used; the status line says why.
        AddStatus(app.form1, app.platform.events, failureText(lang, reading.error()));
        return;
    }
    for (const HostsProblem& problem : reading->problems) {
        const ReadError& at = problem.error;
        const std::vector<std::string> values = {at.file, intToText(at.line), defaultSettingText(problem.setting)};
        AddStatus(app.form1, app.platform.events,
                  problem.setting.empty()
                      ? laterFormEntry(lang, 125, "%1, line %2: not understood, the line is ignored.", values)
                      : laterFormEntry(lang, 124, "%1, line %2: not understood; %3 is used instead.", values));
    }
}

void writeHostsFileIfMissing(const App& app) {
    const std::string path = app.programFile(kHostsFile);
    if (fileExists(path)) return;
    try {
        writeFileBytes(path, formatHostsFile(HostsSettings{}));
    } catch (const FileError&) {
    }
}

void DownloadData_Click(App& app) {
    const BusyGuard busy(app.ctx.stepRunning);
    if (!busy) return;
    DownloadStep(app);
}

void DownloadStep(App& app) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    app.ctx.downloadCancelled = false;
    SetStatusLight(form, kFalse);
    const LanguageTables& lang = app.ctx.lang;
    const bool ran = runHandler(app, [&] {
        ReportHostsProblems(app);
        const bool minus = form.txt_dec_sign_show[0].caption == "-";
        ws.lineText = minus ? "-" : "";
        const std::string epoch = form.txt_epoch.text;
        ws.decSign = minus ? "-1" : "1";
        double ra[3], dec[3];
        for (int k = 0; k < 3; ++k) ra[k] = boxNumber(app, form.txt_ra[k], boxName(lang, 26, "RA:", k + 1, 3));
        for (int k = 0; k < 3; ++k) dec[k] = boxNumber(app, form.txt_dec[k], boxName(lang, 27, "Dec:", k + 1, 3));
        const double raDeg = (ra[0] * 3600 + ra[1] * 60 + ra[2]) / 3600 * 15;
        const double decDeg = (minus ? -1 : 1) * (dec[0] * 3600 + dec[1] * 60 + dec[2]) / 3600;
        const PrecessionDelta toEpoch =
            PrecessFromJ2000(4000 - leadingBoxNumber(app, epoch, boxName(lang, 28, "Epoch:")), raDeg, decDeg);
        app.ctx.precessDeltaRa = toEpoch.ra;
        app.ctx.precessDeltaDec = toEpoch.dec;

        StarQuery query;
        query.raDeg = toEpoch.ra + raDeg;
        query.decDeg = toEpoch.dec + decDeg;
        query.raText = raQueryText(query.raDeg / 15);
        query.decText = decQueryText(query.decDeg, ws.lineText);
        query.epochText = epoch;
        query.fieldText = form.txt_distance.text;
        query.magText = form.txt_mag.text;
        query.radiusArcmin = queryNumber(app, form.txt_distance, boxName(lang, 29, "Field:"));
        query.magLimit = queryNumber(app, form.txt_mag, boxName(lang, 30, "Mag limit:"));

        const auto& messages = app.ctx.lang.messages;
        AddStatus(form, app.platform.events, messages[8]);
        if (DownloadStars(app, query)) AddStatus(form, app.platform.events, messages[9]);
        if (app.ctx.downloadCancelled || ws.solved != kTrue || form.CheckAster.value != 1) return;
        if (app.platform.dialogs.askYesNo(messages[23], messages[21])) downloadAsteroidsOfStep(app, minus, query);
    });
    form.CancelDownload.visible = false;
    // A refused step (a box that holds no number) is no success.
    SetStatusLight(form, ran ? kTrue : kFalse);
}

bool DownloadStars(App& app, const StarQuery& query) {
    const HostsSettings hosts = readHostsSettings(app);
    bool fetched = true;
    if (app.ctx.allowStarDownload == kTrue) {
        fetched = hosts.star.protocol == kLocalProtocol
                      ? readLocalAnswer(app, hosts.star, query)
                      : downloadAnswer(app, starProtocols(), hosts.star, hosts, query, "data.txt");
        if (fetched) recordArea(app, query, hosts.star);
    }
    if (app.ctx.allowUpdateCheck == kTrue && !app.ctx.downloadCancelled) CheckForUpdate(app);
    return fetched;
}

bool DownloadAsteroids(App& app, const AsteroidQuery& query) {
    const HostsSettings hosts = readHostsSettings(app);
    if (app.ctx.allowAsteroidDownload != kTrue) return true;
    return downloadAnswer(app, asteroidProtocols(), hosts.asteroid, hosts, query, "data2.txt");
}

Transfer DownloadToFile(App& app, const std::string& url, const std::string& path, const DownloadOptions& options) {
    if (app.ctx.downloadCancelled) return Transfer::Failed;
    const LanguageTables& lang = app.ctx.lang;
    const std::string prefix = options.host + " → " + fileNameOf(path) + ": ";
    StatusLine line(app, options.report);

    HttpRequest request;
    request.url = url;
    request.timeoutMs = options.timeoutSeconds * 1000;
    request.cancelRequested = [&app] { return app.ctx.downloadCancelled; };
    // Shown before the first line yields, so a silent server can be cancelled.
    app.form1.CancelDownload.visible = true;
    line.show(prefix + receivedText(lang, 0));
    const FetchedAnswer fetched =
        fetchAnswer(app.platform.http, request, options.maxBytes, options.accept, [&](std::uint64_t received) {
            line.show(prefix + receivedText(lang, received));
            app.platform.events.yield();
            return !app.ctx.downloadCancelled;
        });
    app.form1.CancelDownload.visible = false;

    std::string failure = fetchFailureText(fetched, fetchWords(lang), options.timeoutSeconds, options.maxBytes);
    if (failure.empty()) {
        try {
            writeFileBytes(path, fetched.answer->bytes);
        } catch (const FileError& error) {
            failure = failureText(lang, error);
        }
    }
    if (!failure.empty()) {
        line.show(prefix + failure + ". " + previousKept(lang));
        return fetched.answered ? Transfer::Failed : Transfer::NoAnswer;
    }
    const std::string summary =
        !fetched.answer || fetched.answer->summary.empty() ? "" : ", " + fetched.answer->summary;
    line.show(prefix + receivedText(lang, fetched.bytes) + summary);
    return Transfer::Replaced;
}

void PadCoordinates(App& app) {
    Form1Model& form = app.form1;
    for (TextBox* box :
         {&form.txt_ra[0], &form.txt_ra[1], &form.txt_ra[2], &form.txt_dec[0], &form.txt_dec[1], &form.txt_dec[2]})
        if (box->text.size() == 1) setText(app, *box, "0" + box->text);
}

void CancelDownload_Click(App& app) {
    if (app.form1.CancelDownload.visible) app.ctx.downloadCancelled = true;
}

}  // namespace sextrix

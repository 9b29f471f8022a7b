#include "download.h"

#include <filesystem>
#include <fstream>

#include "captions.h"
#include "catalog/download_queries.h"
#include "catalog/service_text.h"
#include "chart.h"
#include "control_writes.h"
#include "geometry/precession.h"
#include "identify/algo.h"
#include "state/busy_guard.h"
#include "state/errors.h"
#include "state/handler.h"
#include "state/status.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "state/text_number.h"
#include "suggestions.h"

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

std::string kilobytes(std::uint64_t bytes) {
    return intToText(static_cast<long long>(roundHalfEven(static_cast<double>(bytes) / 1024)));
}

std::string fileNameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string previousKept(const LanguageTables& lang) { return laterFormEntry(lang, 87, "The previous file is kept."); }

// Why a finished transfer does not replace the file; empty when it does.
std::string failureOf(const App& app, const HttpResult& result, const DownloadOptions& options) {
    const LanguageTables& lang = app.ctx.lang;
    if (result.cancelled && app.ctx.downloadCancelled) return laterFormEntry(lang, 89, "download cancelled");
    if (result.timedOut)
        return laterFormEntry(lang, 90, "no answer from the server for") + " " + intToText(options.timeoutSeconds) +
               " s";
    if (!result.ok()) return result.error;
    if (result.status != 200) return httpStatusError(result.status, "");
    return {};
}

void replaceFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    if (ec) throw FileError("Cannot write " + to + " (" + ec.message() + ")");
}

double boxNumber(const App& app, const TextBox& box, const char* name) {
    return strictBoxNumber(box.text, app.ctx.decimalSeparator, name);
}

// False when the answer could not be fetched (the previous file stays).
template <class Query>
bool fetchAnswer(App& app, std::span<const Protocol<Query>> table, const ServiceAddress& service,
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
    return DownloadToFile(app, protocol->url(service.address, query), app.programFile(file), options);
}

void downloadAsteroidsOfStep(App& app, bool minus, const StarQuery& stars) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    ws.decSign = minus ? "-" : "";
    PadCoordinates(app);
    ws.lineText = form.txt_ra[0].text + "+" + form.txt_ra[1].text + "+" + form.txt_ra[2].text;
    ws.decSign += form.txt_dec[0].text + "+" + form.txt_dec[1].text + "+" + form.txt_dec[2].text;

    AsteroidQuery query;
    const auto& date = form.txt_Adate;
    const double day = boxNumber(app, date[0], "asteroid day");
    query.month = toInt16Checked(boxNumber(app, date[1], "asteroid month"));
    query.year = toInt16Checked(boxNumber(app, date[2], "asteroid year"));
    query.day =
        dayWithFraction(day, boxNumber(app, date[3], "asteroid hour"), boxNumber(app, date[4], "asteroid minute"));
    ws.asteroidDay = numberToText(query.day, app.ctx.decimalSeparator);
    query.raDeg = stars.raDeg;
    query.decDeg = stars.decDeg;
    query.radiusArcmin = parseLeadingNumber(form.txt_Afield.text);
    query.magLimit = parseLeadingNumber(form.Txt_Amag.text);
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
    if (DownloadAsteroids(app, query)) AddStatus(form, app.platform.events, messages[22]);
}

}  // namespace

const char* programVersion() { return SEXTRIX_VERSION; }

HostsReading readHosts(const App& app) {
    const std::string path = app.programFile(kHostsFile);
    if (!fileExists(path)) return {};
    try {
        return readHostsFile(readFileBytes(path));
    } catch (const FileError&) {
        return {};
    }
}

HostsSettings readHostsSettings(const App& app) { return readHosts(app).settings; }

void ReportHostsProblems(App& app) {
    const LanguageTables& lang = app.ctx.lang;
    const std::string path = app.programFile(kHostsFile);
    for (const HostsProblem& problem : readHosts(app).problems) {
        const std::vector<std::string> values = {path, intToText(problem.line), defaultSettingText(problem.setting)};
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
    runHandler(app.platform.dialogs, [&] {
        ReportHostsProblems(app);
        const bool minus = form.txt_dec_sign_show[0].caption == "-";
        ws.lineText = minus ? "-" : "";
        const std::string epoch = form.txt_epoch.text;
        ws.decSign = minus ? "-1" : "1";
        double ra[3], dec[3];
        for (int k = 0; k < 3; ++k) ra[k] = boxNumber(app, form.txt_ra[k], kRaBoxNames[k]);
        for (int k = 0; k < 3; ++k) dec[k] = boxNumber(app, form.txt_dec[k], kDecBoxNames[k]);
        ws.centreRa = (ra[0] * 3600 + ra[1] * 60 + ra[2]) / 3600 * 15;
        ws.centreDec = (minus ? -1 : 1) * (dec[0] * 3600 + dec[1] * 60 + dec[2]) / 3600;
        PrecessFromJ2000(app.ctx, 4000 - leadingBoxNumber(epoch, "epoch"), ws.centreRa, ws.centreDec);

        StarQuery query;
        query.raDeg = app.ctx.precessDeltaRa + ws.centreRa;
        query.decDeg = app.ctx.precessDeltaDec + ws.centreDec;
        query.raText = raQueryText(query.raDeg / 15);
        query.decText = decQueryText(query.decDeg, ws.lineText);
        query.epochText = epoch;
        query.fieldText = form.txt_distance.text;
        query.magText = form.txt_mag.text;
        query.radiusArcmin = leadingBoxNumber(query.fieldText, "field");
        query.magLimit = leadingBoxNumber(query.magText, "magnitude limit");

        const auto& messages = app.ctx.lang.messages;
        AddStatus(form, app.platform.events, messages[8]);
        if (DownloadStars(app, query)) AddStatus(form, app.platform.events, messages[9]);
        if (app.ctx.downloadCancelled || ws.solved != kTrue || form.CheckAster.value != 1) return;
        if (app.platform.dialogs.askYesNo(messages[23], messages[21])) downloadAsteroidsOfStep(app, minus, query);
    });
    form.CancelDownload.visible = false;
    SetStatusLight(form, kTrue);
}

bool DownloadStars(App& app, const StarQuery& query) {
    const HostsSettings hosts = readHostsSettings(app);
    bool fetched = true;
    if (app.ctx.allowStarDownload == kTrue)
        fetched = fetchAnswer(app, starProtocols(), hosts.star, hosts, query, "data.txt");
    if (app.ctx.allowUpdateCheck == kTrue && !app.ctx.downloadCancelled) CheckForUpdate(app);
    return fetched;
}

bool DownloadAsteroids(App& app, const AsteroidQuery& query) {
    const HostsSettings hosts = readHostsSettings(app);
    if (app.ctx.allowAsteroidDownload != kTrue) return true;
    return fetchAnswer(app, asteroidProtocols(), hosts.asteroid, hosts, query, "data2.txt");
}

bool DownloadToFile(App& app, const std::string& url, const std::string& path, const DownloadOptions& options) {
    if (app.ctx.downloadCancelled) return false;
    const LanguageTables& lang = app.ctx.lang;
    const std::string prefix = options.host + " → " + fileNameOf(path) + ": ";
    const std::string received = " " + laterFormEntry(lang, 86, "KB received");
    StatusLine line(app, options.report);
    const std::string partial = path + ".download";

    std::string failure, summary;
    std::uint64_t bytes = 0;
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out) {
            failure = "Cannot write " + partial;
        } else {
            HttpRequest request;
            request.url = url;
            request.timeoutMs = options.timeoutSeconds * 1000;
            request.cancelRequested = [&app] { return app.ctx.downloadCancelled; };
            bool tooLarge = false, writeFailed = false;
            // Shown before the first line yields, so a silent server can be cancelled.
            app.form1.CancelDownload.visible = true;
            line.show(prefix + "0" + received);
            const HttpResult result = app.platform.http.get(request, [&](std::string_view block) {
                bytes += block.size();
                if (bytes > options.maxBytes) return !(tooLarge = true);
                out.write(block.data(), static_cast<std::streamsize>(block.size()));
                if (!out) return !(writeFailed = true);
                line.show(prefix + kilobytes(bytes) + received);
                app.platform.events.yield();
                return !app.ctx.downloadCancelled;
            });
            app.form1.CancelDownload.visible = false;
            out.close();
            if (tooLarge)
                failure = laterFormEntry(lang, 91, "answer too large") + " (> " + kilobytes(options.maxBytes) + " KB)";
            else if (writeFailed || !out)
                failure = "Cannot write " + partial;
            else
                failure = failureOf(app, result, options);
        }
    }
    try {
        if (failure.empty()) {
            std::string body = readFileBytes(partial);
            const AnswerOutcome outcome = options.accept ? options.accept(body) : AnswerOutcome::accept(body);
            if (!outcome.accepted) {
                failure = outcome.refusal == kNotAnAnswer ? laterFormEntry(lang, 88, "not a catalogue answer")
                                                          : outcome.refusal;
            } else {
                // Written beside the file first, so a failed write leaves it as it was.
                if (outcome.bytes != body) writeFileBytes(partial, outcome.bytes);
                replaceFile(partial, path);
                if (!outcome.summary.empty()) summary = ", " + outcome.summary;
            }
        }
    } catch (const FileError& error) {
        failure = error.what();
    }
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    if (!failure.empty()) {
        line.show(prefix + failure + ". " + previousKept(lang));
        return false;
    }
    line.show(prefix + kilobytes(bytes) + received + summary);
    return true;
}

void PadCoordinates(App& app) {
    Form1Model& form = app.form1;
    for (TextBox* box :
         {&form.txt_ra[0], &form.txt_ra[1], &form.txt_ra[2], &form.txt_dec[0], &form.txt_dec[1], &form.txt_dec[2]})
        if (box->text.size() == 1) setText(app, *box, "0" + box->text);
}

void CheckForUpdate(App& app) {
    const HostsSettings hosts = readHostsSettings(app);
    if (hosts.update.empty()) return;
    const std::string base = serviceBase(hosts.update.address);
    DownloadOptions quiet;
    quiet.host = hosts.update.address;
    quiet.report = false;
    quiet.timeoutSeconds = hosts.timeoutSeconds;
    try {
        DownloadToFile(app, base + "/compteur.php", app.programFile("temp.tmp"), quiet);
        const std::string versionFile = app.programFile("version.tmp");
        deleteFile(versionFile);
        DownloadToFile(app, base + "/version.txt", versionFile, quiet);
        if (!fileExists(versionFile)) return;
        LineReader reader(readFileBytes(versionFile), LineEnds::Any);
        const std::string published = reader.atEnd() ? std::string() : reader.readLine();
        if (!published.empty() && published != programVersion()) ShowSuggestion(app, "softupdate", 1, "0", "0");
    } catch (const FileError&) {
    }
}

void CancelDownload_Click(App& app) {
    if (app.form1.CancelDownload.visible) app.ctx.downloadCancelled = true;
}

}  // namespace sextrix

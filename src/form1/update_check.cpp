#include "update_check.h"

#include "catalog/service_text.h"
#include "download.h"
#include "download_texts.h"
#include "model/status.h"
#include "state/errors.h"
#include "state/text_file.h"
#include "suggestions.h"

namespace sextrix {

std::string publishedVersion(std::string_view text) {
    return std::string(trimmed(text.substr(0, text.find_first_of("\r\n"))));
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
        if (DownloadToFile(app, base + "/compteur.php", app.programFile("temp.tmp"), quiet) == Transfer::NoAnswer) {
            AddStatus(app.form1, app.platform.events, updateSilentText(app.ctx.lang, quiet.host));
            return;
        }
        const std::string versionFile = app.programFile("version.tmp");
        deleteFile(versionFile);
        DownloadToFile(app, base + "/version.txt", versionFile, quiet);
        if (!fileExists(versionFile)) return;
        // The check is quiet: an answer that cannot be read is no newer version.
        const Result<std::string> answer = readFileBytes(versionFile);
        if (!answer) return;
        const std::string published = publishedVersion(*answer);
        if (!published.empty() && published != programVersion()) ShowSuggestion(app, "softupdate", 1, "0", "0");
    } catch (const FileError&) {
    }
}

}  // namespace sextrix

#pragma once
// Step "1-Download": the star-catalogue answer (data.txt) and, once solved,
// the asteroid answer (data2.txt), fetched from the services hosts.cfg names,
// and the update check.
//
// A transfer goes into a temporary file beside its target, and the target is
// replaced only by a complete HTTP 200 answer that the service's protocol
// accepts; otherwise the previous file stays and a status line names the host
// and the reason. The server's silence ends a transfer after the time-out of
// hosts.cfg; Cancel (Esc) ends it at once. A star answer that replaces
// data.txt is followed by data.area, the area it was fetched for.
#include <cstdint>
#include <functional>
#include <string>

#include "catalog/answer_fetch.h"
#include "catalog/download_protocols.h"
#include "catalog/hosts_file.h"
#include "model/app.h"

namespace sextrix {

// "1.4.12": the program's version, from the build.
const char* programVersion();

// hosts.cfg of the program folder; the defaults when it is missing or unreadable.
HostsSettings readHostsSettings(const App& app);
// One status line for each line of hosts.cfg that was not taken, naming the
// file and the line and, for a setting, what is used instead; or one saying
// why a hosts.cfg that is there cannot be read. The download step starts
// with it.
void ReportHostsProblems(App& app);
// At start: a commented hosts.cfg with the defaults when there is none. A
// folder that cannot be written is no reason to stop: the defaults apply.
void writeHostsFileIfMissing(const App& app);

// The button: ignored while another step runs.
void DownloadData_Click(App& app);
// The step itself without the guard of the running step, for a step that
// already holds it (the full map). A box that holds no number (the centre,
// the field and magnitude, the asteroid date and boxes) refuses the step
// with a message naming the box, and the light stays red; otherwise it turns
// green when the step ends, and the status list tells how the transfers went.
void DownloadStep(App& app);

// Each returns false when its service was asked and no answer replaced the
// file (the status list says why); true when it replaced it or was switched off.
bool DownloadStars(App& app, const StarQuery& query);
bool DownloadAsteroids(App& app, const AsteroidQuery& query);

struct DownloadOptions {
    std::string host;  // shown in the status line
    // Turns the complete body into the file's bytes, or refuses it; none
    // keeps any body.
    std::function<AnswerOutcome(std::string body)> accept;
    bool report = true;  // status lines; the update check is quiet
    int timeoutSeconds = 30;
    std::uint64_t maxBytes = kMaxAnswerBytes;
};

enum class Transfer {
    Replaced,  // path now holds the new answer
    Failed,    // the previous file stays (the status line says why)
    NoAnswer,  // the same, and no server answered: silent, refusing, or not found on the network
};

Transfer DownloadToFile(App& app, const std::string& url, const std::string& path, const DownloadOptions& options);

// "0" before each coordinate box holding exactly one character.
void PadCoordinates(App& app);

// Ends the running transfer; the step fetches nothing more.
void CancelDownload_Click(App& app);

}  // namespace sextrix

#pragma once
// hosts.cfg: where the program fetches its catalogue answers and looks for a
// newer version. One setting a line:
//
//     star=usnoa:archive.eso.org
//     asteroid=skybot:https://ssp.imcce.fr/webservices/skybot/api/conesearch.php
//     update=                 (no update server: the check does nothing)
//     timeout=30              (seconds of silence before a transfer fails)
//
// "#" starts a comment line; blank lines are ignored. Protocol names are read
// in any case. Any other line that cannot be read leaves its setting at the
// default and is listed among the problems, with its number: the reader takes
// every file, so it returns its value rather than a Result.
#include <string>
#include <string_view>
#include <vector>

#include "state/read_result.h"

namespace sextrix {

// protocol:address, e.g. usnoa:archive.eso.org or usnoa:http://127.0.0.1:8080.
struct ServiceAddress {
    std::string protocol;  // lower case
    // A host, host:port or a base address with its scheme, each taking the
    // protocol's own page; or a whole address with a path, which is the page.
    std::string address;
    bool empty() const { return address.empty(); }
};

constexpr std::string_view kSkybotAddress = "https://ssp.imcce.fr/webservices/skybot/api/conesearch.php";

struct HostsSettings {
    ServiceAddress star{"vizier", "vizier.cds.unistra.fr"};
    ServiceAddress asteroid{"skybot", std::string(kSkybotAddress)};
    ServiceAddress update{};
    int timeoutSeconds = 30;
};

constexpr int kMaxTimeoutSeconds = 3600;

// A line that was not taken: the file, its number (1-based) and why ("not
// understood; star=vizier:vizier.cds.unistra.fr is used instead", "not
// understood; the line is ignored"), and the setting it would have changed
// ("star", "asteroid", "update", "timeout"), empty when the line names none.
struct HostsProblem {
    ReadError error;
    std::string setting;
};

struct HostsReading {
    HostsSettings settings;
    std::vector<HostsProblem> problems;
};

// Lines end at LF, CR or CR LF (the file is meant to be edited by hand).
// file names the file in the problems.
HostsReading readHostsFile(std::string_view text, const std::string& file);

// The line of a setting that holds its default, "star=vizier:vizier.cds.unistra.fr",
// "timeout=30", "update=": what is used when the file's line is not taken.
std::string defaultSettingText(std::string_view setting);

// The file written at first start: the settings with comments, CR LF ends.
std::string formatHostsFile(const HostsSettings& settings);

}  // namespace sextrix

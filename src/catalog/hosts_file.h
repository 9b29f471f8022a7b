#pragma once
// hosts.cfg: where the program fetches its catalogue answers and looks for a
// newer version. One setting a line:
//
//     star=usnoa:archive.eso.org
//     asteroid=mpcheck:scully.cfa.harvard.edu
//     update=                 (no update server: the check does nothing)
//     timeout=30              (seconds of silence before a transfer fails)
//
// "#" starts a comment line; blank and unknown lines are ignored; a line
// that cannot be read leaves its setting at the default.
#include <string>
#include <string_view>

namespace sextrix {

// protocol:address, e.g. usnoa:archive.eso.org or usnoa:http://127.0.0.1:8080.
struct ServiceAddress {
    std::string protocol;
    std::string address;  // host, host:port or a whole base address with its scheme
    bool empty() const { return address.empty(); }
};

struct HostsSettings {
    ServiceAddress star{"vizier", "vizier.cds.unistra.fr"};
    ServiceAddress asteroid{"skybot", "vo.imcce.fr"};
    ServiceAddress update{};
    int timeoutSeconds = 30;
};

constexpr int kMaxTimeoutSeconds = 3600;

// Lines end at LF, CR or CR LF (the file is meant to be edited by hand).
HostsSettings parseHostsFile(std::string_view text);

// The file written at first start: the settings with comments, CR LF ends.
std::string formatHostsFile(const HostsSettings& settings);

}  // namespace sextrix

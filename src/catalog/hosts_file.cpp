#include "hosts_file.h"

#include <algorithm>
#include <charconv>

#include "state/text_lines.h"

namespace sextrix {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool isProtocolName(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    });
}

// The SkyBoT host the previous versions wrote into hosts.cfg; its maintainers
// asked clients to leave it, so it stands for the current address.
bool isRetiredSkybot(const ServiceAddress& service) {
    if (service.protocol != "skybot") return false;
    std::string_view host = service.address;
    for (std::string_view scheme : {"https://", "http://"})
        if (host.substr(0, scheme.size()) == scheme) host.remove_prefix(scheme.size());
    while (!host.empty() && host.back() == '/') host.remove_suffix(1);
    return asciiLower(host) == "vo.imcce.fr";
}

// "protocol:address"; false when the value is not of that form.
bool readService(std::string_view value, ServiceAddress& service) {
    const std::size_t colon = value.find(':');
    if (colon == std::string_view::npos) return false;
    const std::string protocol = asciiLower(trimmed(value.substr(0, colon)));
    const std::string_view address = trimmed(value.substr(colon + 1));
    if (!isProtocolName(protocol) || address.empty()) return false;
    if (std::any_of(address.begin(), address.end(), [](char c) { return c == ' ' || c == '\t'; })) return false;
    ServiceAddress read{protocol, std::string(address)};
    if (isRetiredSkybot(read)) return false;
    service = std::move(read);
    return true;
}

bool readTimeout(std::string_view value, int& timeoutSeconds) {
    int seconds = 0;
    const auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
    if (error != std::errc() || rest != value.data() + value.size() || seconds <= 0 || seconds > kMaxTimeoutSeconds)
        return false;
    timeoutSeconds = seconds;
    return true;
}

std::string serviceText(const ServiceAddress& s) { return s.empty() ? std::string() : s.protocol + ":" + s.address; }

HostsProblem problemAt(const std::string& file, int line, const std::string& setting) {
    const std::string fallback =
        setting.empty() ? "the line is ignored" : defaultSettingText(setting) + " is used instead";
    return {ReadError{.file = file, .line = line, .cause = "not understood; " + fallback}, setting};
}

}  // namespace

HostsReading readHostsFile(std::string_view text, const std::string& file) {
    HostsReading reading;
    HostsSettings& settings = reading.settings;
    for (int number = 1; !text.empty(); ++number) {
        std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = trimmed(text.substr(0, end));
        if (end != std::string_view::npos && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            reading.problems.push_back(problemAt(file, number, ""));
            continue;
        }
        const std::string key = asciiLower(trimmed(line.substr(0, equals)));
        const std::string_view value = trimmed(line.substr(equals + 1));
        bool taken = false;
        if (key == "star") {
            taken = readService(value, settings.star);
        } else if (key == "asteroid") {
            taken = readService(value, settings.asteroid);
        } else if (key == "update") {
            taken = value.empty() ? (settings.update = {}, true) : readService(value, settings.update);
        } else if (key == "timeout") {
            taken = readTimeout(value, settings.timeoutSeconds);
        } else {
            reading.problems.push_back(problemAt(file, number, ""));  // an unknown setting
            continue;
        }
        if (!taken) reading.problems.push_back(problemAt(file, number, key));
    }
    return reading;
}

std::string defaultSettingText(std::string_view setting) {
    const HostsSettings d;
    std::string value = serviceText(d.update);
    if (setting == "star") value = serviceText(d.star);
    if (setting == "asteroid") value = serviceText(d.asteroid);
    if (setting == "timeout") value = std::to_string(d.timeoutSeconds);
    return std::string(setting) + "=" + value;
}

std::string formatHostsFile(const HostsSettings& settings) {
    std::string text;
    const auto line = [&text](const std::string& l) { text += l + "\r\n"; };
    line("# Web services of Velorin Sextrix, one a line: name=protocol:address.");
    line("# The address is a host (reached with https), host:port, or a base");
    line("# address with its scheme, e.g. star=usnoa:http://127.0.0.1:8080 to");
    line("# serve a catalogue answer from this machine; each of these is sent");
    line("# to the protocol's own page. An address with a path, such as the");
    line("# asteroid one below, is the page itself: when a service moves, put");
    line("# its new address here.");
    line("# star: the star catalogue. Protocols: vizier (USNO-A2.0 from VizieR),");
    line("# vizier-ucac4, vizier-gaia (Gaia DR3), or usnoa (the USNO-A query");
    line("# page, e.g. star=usnoa:archive.eso.org).");
    line("star=" + serviceText(settings.star));
    line("# asteroid: the asteroid checker. Protocols: skybot (IMCCE SkyBoT cone");
    line("# search) or mpcheck (the MPChecker page, e.g.");
    line("# asteroid=mpcheck:scully.cfa.harvard.edu).");
    line("asteroid=" + serviceText(settings.asteroid));
    line("# update: the server publishing version.txt (protocol version); empty: no check.");
    line("update=" + serviceText(settings.update));
    line("# Seconds without a byte from the server before a transfer is given up.");
    line("timeout=" + std::to_string(settings.timeoutSeconds));
    return text;
}

}  // namespace sextrix

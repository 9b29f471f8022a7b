#include "hosts_file.h"

#include <algorithm>
#include <charconv>

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

// "protocol:address"; nothing when the value is not of that form.
bool readService(std::string_view value, ServiceAddress& service) {
    const std::size_t colon = value.find(':');
    if (colon == std::string_view::npos) return false;
    const std::string_view protocol = trimmed(value.substr(0, colon));
    const std::string_view address = trimmed(value.substr(colon + 1));
    if (!isProtocolName(protocol) || address.empty()) return false;
    if (std::any_of(address.begin(), address.end(), [](char c) { return c == ' ' || c == '\t'; })) return false;
    service = {std::string(protocol), std::string(address)};
    return true;
}

}  // namespace

HostsSettings parseHostsFile(std::string_view text) {
    HostsSettings settings;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (key == "star") {
            readService(value, settings.star);
        } else if (key == "asteroid") {
            readService(value, settings.asteroid);
        } else if (key == "update") {
            if (value.empty())
                settings.update = {};
            else
                readService(value, settings.update);
        } else if (key == "timeout") {
            int seconds = 0;
            const auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
            if (error == std::errc() && rest == value.data() + value.size() && seconds > 0 &&
                seconds <= kMaxTimeoutSeconds)
                settings.timeoutSeconds = seconds;
        }
    }
    return settings;
}

std::string formatHostsFile(const HostsSettings& settings) {
    const auto service = [](const ServiceAddress& s) {
        return s.empty() ? std::string() : s.protocol + ":" + s.address;
    };
    std::string text;
    const auto line = [&text](const std::string& l) { text += l + "\r\n"; };
    line("# Web services of Velorin Sextrix, one a line: name=protocol:address.");
    line("# The address is a host (reached with https), host:port, or a base");
    line("# address with its scheme, e.g. star=usnoa:http://127.0.0.1:8080 to");
    line("# serve a catalogue answer from this machine.");
    line("# star: the star catalogue. Protocols: vizier (USNO-A2.0 from VizieR),");
    line("# vizier-ucac4, vizier-gaia (Gaia DR3), or usnoa (the USNO-A query");
    line("# page, e.g. star=usnoa:archive.eso.org).");
    line("star=" + service(settings.star));
    line("# asteroid: the asteroid checker. Protocols: skybot (IMCCE SkyBoT cone");
    line("# search) or mpcheck (the MPChecker page, e.g.");
    line("# asteroid=mpcheck:scully.cfa.harvard.edu).");
    line("asteroid=" + service(settings.asteroid));
    line("# update: the server publishing version.txt (protocol version); empty: no check.");
    line("update=" + service(settings.update));
    line("# Seconds without a byte from the server before a transfer is given up.");
    line("timeout=" + std::to_string(settings.timeoutSeconds));
    return text;
}

}  // namespace sextrix

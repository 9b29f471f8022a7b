#include "service_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

#include "state/text_lines.h"

namespace sextrix {

std::string serviceBase(std::string_view address) {
    std::string base(trimmed(address));
    while (!base.empty() && base.back() == '/') base.pop_back();
    if (base.find("://") == std::string::npos) base = "https://" + base;
    return base;
}

std::string serviceUrl(std::string_view address, std::string_view pageAndQuery) {
    const std::string base = serviceBase(address);
    const std::size_t path = base.find('/', base.find("://") + 3);
    if (path == std::string::npos) return base + std::string(pageAndQuery);
    const std::size_t query = pageAndQuery.find('?');
    if (query == std::string_view::npos) return base;
    // An address that holds a query of its own keeps it, the protocol's follows.
    const bool ownQuery = base.find('?') != std::string::npos;
    return base + (ownQuery ? "&" : "?") + std::string(pageAndQuery.substr(query + 1));
}

std::string queryEncoded(std::string_view value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : value) {
        const auto u = static_cast<unsigned char>(c);
        const bool kept = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || c == '-' ||
                          c == '_' || c == '.' || c == '~' || c == '/' || c == ',';
        if (kept) {
            out += c;
        } else {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 15];
        }
    }
    return out;
}

std::string fixedText(double value, int decimals) {
    if (!std::isfinite(value)) return "nan";
    char buffer[400];
    // -0.0 prints as "-0.000"; a field should not show a sign for nothing.
    const double rounded = value == 0 ? 0.0 : value;
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, decimals);
    std::string text(buffer, result.ptr);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string trimmedText(double value, int decimals) {
    std::string text = fixedText(value, decimals);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

std::optional<std::string> fixedField(double value, int decimals, std::size_t width) {
    if (!std::isfinite(value)) return std::nullopt;
    std::string text = fixedText(value, decimals);
    if (text.size() > width) return std::nullopt;
    return std::string(width - text.size(), ' ') + text;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::optional<double> cellNumber(std::string_view cell) {
    std::string_view text = trimmed(cell);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::vector<std::string_view> bodyLines(std::string_view body) {
    std::vector<std::string_view> lines;
    while (!body.empty()) {
        const auto end = body.find('\n');
        std::string_view line = body.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        body.remove_prefix(end + 1);
    }
    return lines;
}

void putColumn(std::string& line, std::size_t first, std::string_view text) {
    line.replace(first - 1, text.size(), text);
}

namespace {

// The body with each tag, comment, script and style made one blank, line
// ends made LF and other control characters blanks.
std::string withoutMarkup(std::string_view body) {
    const std::string lower = asciiLower(body);
    std::string text;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        const char next = i + 1 < body.size() ? body[i + 1] : ' ';
        if (c == '<' && (std::isalpha(static_cast<unsigned char>(next)) || next == '/' || next == '!' || next == '?')) {
            std::size_t end = lower.find(lower.compare(i, 4, "<!--") == 0 ? "-->" : ">", i);
            for (const char* element : {"script", "style"})
                if (lower.compare(i + 1, std::strlen(element), element) == 0)
                    end = lower.find(std::string("</") + element, i);
            if (end != std::string::npos) end = lower.find('>', end);
            if (end == std::string::npos) break;
            text += ' ';
            i = end;
        } else {
            text += c == '\r' ? '\n' : static_cast<unsigned char>(c) < 0x20 && c != '\n' ? ' ' : c;
        }
    }
    return text;
}

}  // namespace

std::string serviceMessage(std::string_view body, std::size_t maxBytes) {
    const std::string text = withoutMarkup(body);
    for (std::string_view rest = text; !rest.empty();) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        line = trimmed(line);
        while (!line.empty() && line.front() == '#') line = trimmed(line.substr(1));
        if (std::none_of(line.begin(), line.end(), [](unsigned char c) { return std::isalnum(c); })) continue;
        std::string message;
        for (char c : line) {
            const char blankOrChar = c == '\t' ? ' ' : c;
            if (blankOrChar != ' ' || message.back() != ' ') message += blankOrChar;
        }
        if (message.size() <= maxBytes) return message;
        std::size_t cut = maxBytes;
        while (cut > 0 && (static_cast<unsigned char>(message[cut]) & 0xC0) == 0x80) --cut;
        return std::string(trimmed(message.substr(0, cut))) + "…";
    }
    return {};
}

}  // namespace sextrix

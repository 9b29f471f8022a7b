#include "persist/wcs_header.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>

#include "state/text_lines.h"

namespace sextrix {
namespace {

constexpr std::size_t kCard = 80, kBlock = 2880;
constexpr int kMaxOrder = 9;

// FITS reals: 14 significant digits, "E" exponent, never the C locale's comma.
std::string realText(double value) {
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 13).ptr;
    std::string text(buffer, end);
    for (char& c : text)
        if (c == 'e') c = 'E';
    return text;
}

class Cards {
public:
    // Fixed format: value right-aligned to column 30, comment after " / ".
    void value(std::string_view key, const std::string& value, std::string_view comment = {}) {
        std::string card(key);
        card.resize(8, ' ');
        card += "= ";
        if (value.size() < 20) card.append(20 - value.size(), ' ');
        card += value;
        if (!comment.empty()) card += " / ", card += comment;
        add(card);
    }
    // Strings start at column 11, at least 8 characters inside the quotes.
    void text(std::string_view key, std::string value, std::string_view comment = {}) {
        if (value.size() < 8) value.resize(8, ' ');
        std::string quoted = "'" + value + "'";
        if (quoted.size() < 20) quoted.resize(20, ' ');
        std::string card(key);
        card.resize(8, ' ');
        card += "= " + quoted;
        if (!comment.empty()) card += " / ", card += comment;
        add(card);
    }
    void real(std::string_view key, double v, std::string_view comment = {}) { value(key, realText(v), comment); }
    void integer(std::string_view key, long long v, std::string_view comment = {}) {
        value(key, std::to_string(v), comment);
    }
    void logical(std::string_view key, bool v, std::string_view comment = {}) { value(key, v ? "T" : "F", comment); }

    std::string finish() {
        add("END");
        header_.resize((header_.size() + kBlock - 1) / kBlock * kBlock, ' ');
        return std::move(header_);
    }

private:
    void add(std::string card) {
        card.resize(kCard, ' ');
        header_ += card;
    }
    std::string header_;
};

// The picture's (u, v) and the FITS one differ by v -> -v when rows run
// bottom-up: CD's second column and every term of odd power in v turn
// sign in A, of even power in B. The change is its own inverse.
TanSolution turnedRows(TanSolution s) {
    s.cd[1] = -s.cd[1], s.cd[3] = -s.cd[3];
    for (int p = 0; p <= s.sip.order; ++p)
        for (int q = 0; p + q <= s.sip.order; ++q) {
            const auto at = static_cast<std::size_t>(p * (s.sip.order + 1) + q);
            if (at >= s.sip.a.size() || at >= s.sip.b.size()) continue;
            if (q % 2 == 1)
                s.sip.a[at] = -s.sip.a[at];
            else
                s.sip.b[at] = -s.sip.b[at];
        }
    return s;
}

std::string sipKey(char axis, int p, int q) {
    return std::string(1, axis) + "_" + std::to_string(p) + "_" + std::to_string(q);
}

// Keyword -> value text (strings without their quotes), up to END.
std::map<std::string, std::string> parseCards(std::string_view text) {
    std::map<std::string, std::string> values;
    const bool lines = text.find('\n') != std::string_view::npos;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t length = kCard;
        if (lines) {
            const std::size_t end = text.find('\n', at);
            length = (end == std::string_view::npos ? text.size() : end) - at;
        }
        std::string_view card = text.substr(at, length);
        at += length + (lines ? 1 : 0);
        if (!card.empty() && card.back() == '\r') card.remove_suffix(1);
        std::string key(card.substr(0, 8));
        while (!key.empty() && key.back() == ' ') key.pop_back();
        if (key == "END") break;
        if (card.size() < 10 || card.substr(8, 2) != "= ") continue;
        std::string_view rest = card.substr(10);
        const std::size_t first = rest.find_first_not_of(' ');
        if (first == std::string_view::npos) continue;
        rest.remove_prefix(first);
        std::string value;
        if (rest.front() == '\'') {
            for (std::size_t k = 1; k < rest.size(); ++k) {
                if (rest[k] == '\'') {
                    if (k + 1 < rest.size() && rest[k + 1] == '\'')
                        value += '\'', ++k;
                    else
                        break;
                } else {
                    value += rest[k];
                }
            }
            while (!value.empty() && value.back() == ' ') value.pop_back();
        } else {
            value = std::string(rest.substr(0, rest.find('/')));
            while (!value.empty() && value.back() == ' ') value.pop_back();
        }
        values[key] = value;
    }
    return values;
}

std::optional<double> numberOf(std::string text) {
    for (char& c : text)
        if (c == 'D' || c == 'd') c = 'E';
    if (!text.empty() && text.front() == '+') text.erase(0, 1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

std::string wcsHeaderText(const TanSolution& solution, const WcsImage& image, SkyFrame frame) {
    const bool sip = solution.sip.order >= 2;
    const bool bottomUp = image.rows == FitsRows::BottomUp;
    const TanSolution s = bottomUp ? turnedRows(solution) : solution;
    Cards cards;
    cards.logical("SIMPLE", true, "no data, the header alone");
    cards.integer("BITPIX", 8);
    cards.integer("NAXIS", 0);
    cards.integer("WCSAXES", 2);
    cards.text("CTYPE1", sip ? "RA---TAN-SIP" : "RA---TAN", "gnomonic projection");
    cards.text("CTYPE2", sip ? "DEC--TAN-SIP" : "DEC--TAN");
    cards.text("CUNIT1", "deg");
    cards.text("CUNIT2", "deg");
    cards.real("EQUINOX", 2000.0);
    cards.text("RADESYS", frame == SkyFrame::Icrs ? "ICRS" : "FK5");
    cards.real("LONPOLE", 180.0);
    cards.real("CRVAL1", s.refRaDeg, "tangent point right ascension, deg");
    cards.real("CRVAL2", s.refDecDeg, "tangent point declination, deg");
    cards.real("CRPIX1", s.refX + 1, "reference pixel, pixel centres at 1..N");
    cards.real("CRPIX2", bottomUp ? image.height - s.refY : s.refY + 1,
               bottomUp ? "rows counted from the bottom" : "rows counted from the top");
    cards.real("CD1_1", s.cd[0], "deg per pixel");
    cards.real("CD1_2", s.cd[1]);
    cards.real("CD2_1", s.cd[2]);
    cards.real("CD2_2", s.cd[3]);
    cards.integer("IMAGEW", image.width);
    cards.integer("IMAGEH", image.height);
    if (sip) {
        const int order = s.sip.order;
        for (const char axis : {'A', 'B'}) {
            const auto& c = axis == 'A' ? s.sip.a : s.sip.b;
            cards.integer(std::string(1, axis) + "_ORDER", order, "polynomial distortion");
            for (int p = 0; p <= order; ++p)
                for (int q = 0; p + q <= order; ++q) {
                    const auto at = static_cast<std::size_t>(p * (order + 1) + q);
                    if (p + q >= 2 && at < c.size()) cards.real(sipKey(axis, p, q), c[at]);
                }
        }
    }
    return cards.finish();
}

Result<TanSolution> readWcsHeader(std::string_view text, const std::string& file, const WcsImage& image) {
    const auto refused = [&file](std::string cause) { return ReadError{.file = file, .cause = std::move(cause)}; };
    const auto cards = parseCards(text);
    const auto textOf = [&](const char* key) -> std::string {
        const auto it = cards.find(key);
        return it == cards.end() ? std::string() : it->second;
    };
    const auto number = [&](const std::string& key) -> std::optional<double> {
        const auto it = cards.find(key);
        return it == cards.end() ? std::nullopt : numberOf(it->second);
    };
    const std::string ctype1 = textOf("CTYPE1"), ctype2 = textOf("CTYPE2");
    const bool sip = ctype1 == "RA---TAN-SIP" && ctype2 == "DEC--TAN-SIP";
    if (!sip && (ctype1 != "RA---TAN" || ctype2 != "DEC--TAN"))
        return refused("not a tangent-plane solution in RA and Dec (CTYPE1 '" + ctype1 + "', CTYPE2 '" + ctype2 + "')");
    if (const auto lonpole = number("LONPOLE"); lonpole && *lonpole != 180)
        return refused("LONPOLE other than 180 is not read");

    TanSolution s;
    double* const fields[] = {&s.refRaDeg, &s.refDecDeg, &s.refX, &s.refY, &s.cd[0], &s.cd[1], &s.cd[2], &s.cd[3]};
    const char* const keys[] = {"CRVAL1", "CRVAL2", "CRPIX1", "CRPIX2", "CD1_1", "CD1_2", "CD2_1", "CD2_2"};
    for (std::size_t k = 0; k < 8; ++k) {
        const auto v = number(keys[k]);
        if (!v) return refused(std::string("missing or unreadable ") + keys[k]);
        *fields[k] = *v;
    }
    if (s.cd[0] * s.cd[3] - s.cd[1] * s.cd[2] == 0) return refused("the CD matrix is singular");

    if (sip) {
        const auto a = number("A_ORDER"), b = number("B_ORDER");
        if (!a || !b || *a != std::floor(*a) || *b != std::floor(*b) || std::max(*a, *b) < 2 ||
            std::max(*a, *b) > kMaxOrder)
            return refused("A_ORDER and B_ORDER must be whole numbers from 2 to 9");
        const int order = static_cast<int>(std::max(*a, *b));
        s.sip.order = order;
        s.sip.a.assign(static_cast<std::size_t>((order + 1) * (order + 1)), 0.0);
        s.sip.b = s.sip.a;
        for (int p = 0; p <= order; ++p)
            for (int q = 0; p + q <= order; ++q) {
                if (p + q < 2) continue;
                const auto at = static_cast<std::size_t>(p * (order + 1) + q);
                s.sip.a[at] = number(sipKey('A', p, q)).value_or(0.0);
                s.sip.b[at] = number(sipKey('B', p, q)).value_or(0.0);
            }
    }
    s.refX -= 1;
    if (image.rows == FitsRows::BottomUp) {
        s.refY = image.height - s.refY;
        s = turnedRows(s);
    } else {
        s.refY -= 1;
    }
    return s;
}

std::string wcsSidecarPath(const std::string& imagePath) {
    const auto slash = imagePath.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = imagePath.rfind('.');
    // A leading dot names a hidden file; it is no extension.
    const bool hasDot = dot != std::string::npos && dot > nameStart;
    if (!hasDot) return imagePath + ".wcs";
    const std::string extension = asciiLower(imagePath.substr(dot));
    return (extension == ".wcs" ? imagePath : imagePath.substr(0, dot)) + ".wcs";
}

}  // namespace sextrix

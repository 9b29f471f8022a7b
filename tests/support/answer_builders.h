#pragma once
// Catalogue texts in the layouts the readers expect, built from the column
// tables of each answer, not from the readers' code, so a reader that slips
// a column reads a wrong value here.
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sextrix::testing {

// Writes text at 1-based column first, widening the line with blanks.
inline void put(std::string& line, std::size_t first, std::string_view text) {
    if (line.size() < first - 1 + text.size()) line.resize(first - 1 + text.size(), ' ');
    line.replace(first - 1, text.size(), text);
}

struct StarFields {
    std::string id = "U1200-01234567";
    std::string ra = "23.456780";  // 9 columns each
    std::string dec = "-12.34567";
    std::string magR = "12.3";
    std::string magB = "13.4";
};

// One 66-character record: sequence, id, RA, Dec, magnitudes, 16 more, LF.
inline std::string starRecord(int sequence, const StarFields& f) {
    char seq[8];
    std::snprintf(seq, sizeof seq, "%4d", sequence % 10000);
    std::string record;
    put(record, 1, seq);
    put(record, 6, f.id);
    put(record, 21, f.ra);
    put(record, 31, f.dec);
    put(record, 41, f.magR);
    put(record, 46, f.magB);
    put(record, 50, "  0.1  0.2   3 0");
    return record + "\n";
}

// The service's page: an LF-only text whose bold heading closes right before
// record 1.
inline std::string starAnswer(const std::vector<StarFields>& stars) {
    std::string page =
        "<html><head><title>USNO-A2.0 query</title></head><body>\n<pre>\n"
        "<b>   # USNO-A2.0       RA (J2000) Dec (J2000) MagR MagB    further columns\n</b>";
    for (std::size_t i = 0; i < stars.size(); ++i) page += starRecord(static_cast<int>(i) + 1, stars[i]);
    return page + "</pre>\n</body></html>\n";
}

// count records with distinct identifiers and positions.
inline std::string starAnswer(int count) {
    std::vector<StarFields> stars(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        char id[24], ra[24];
        std::snprintf(id, sizeof id, "U1200-%08d", i + 1);
        std::snprintf(ra, sizeof ra, "%9.5f", 20 + i * 0.0001);
        stars[static_cast<std::size_t>(i)].id = id;
        stars[static_cast<std::size_t>(i)].ra = ra;
    }
    return starAnswer(stars);
}

struct AsteroidFields {
    std::string number = "   (433";  // columns 1-7
    std::string name = "Eros";       // 10-24
    std::string ra = "01 34 50.0";   // 26-35: hours, minutes, seconds
    std::string dec = "+41 16 09";   // 37-45: signed degrees, minutes, seconds
    std::string text48 = "14.2";     // V magnitude
    std::string text70 = "+12";      // motion in RA
    std::string text77 = "-05";      // motion in Dec
};

inline std::string asteroidLine(const AsteroidFields& f) {
    std::string line;
    put(line, 1, f.number);
    put(line, 10, f.name);
    put(line, 26, f.ra);
    put(line, 37, f.dec);
    put(line, 48, f.text48);
    put(line, 54, "  0.3E   4.1N");
    put(line, 70, f.text70);
    put(line, 77, f.text77);
    put(line, 81, "  None needed at this time.");
    return line;
}

// count asteroid lines, designated "2004 AB0", "2004 AB1" and so on.
inline std::vector<std::string> asteroidLines(int count) {
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) {
        AsteroidFields f;
        f.name = "2004 AB" + std::to_string(i);
        out.push_back(asteroidLine(f));
    }
    return out;
}

// The checker's page with CR LF line ends: 13 header lines, the asteroid
// lines, then "</pre>" opening a trailer of trailerLines lines in all, the
// last closing the page.
inline std::string asteroidPage(const std::vector<std::string>& asteroids, int trailerLines = 40) {
    std::string page;
    page += "<html><head><title>MPChecker</title></head><body>\r\n";
    for (int i = 2; i <= 12; ++i) page += "<p>header line " + std::to_string(i) + "</p>\r\n";
    page += "<pre>Object designation         R.A.      Decl.     V\r\n";
    for (const auto& line : asteroids) page += line + "\r\n";
    page += " </pre>\r\n";
    for (int i = 2; i <= trailerLines; ++i)
        page += "<p>trailer line " + std::to_string(i) + (i == trailerLines ? "</p></body></html>\r\n" : "</p>\r\n");
    return page;
}

struct DeepSkyFields {
    std::string number = "  224";   // columns 1-5
    std::string ra = "00 42 44.4";  // 21-30
    std::string dec = "+41 16 09";  // 32-40
    std::string text51 = "3.4";
    std::string size1 = "177.83";  // 62-67
    std::string size2 = "69.66";   // 69-73
    std::string pa = " 35";        // 75-77
    std::string text79 = "Galaxy";
    std::string pgc = "   2557";  // 88-94
    std::string text97 = "M 31";
    std::string text113 = "Sb";
};

// The default object moved to the given position.
inline DeepSkyFields deepSkyAt(std::string ra, std::string dec) {
    DeepSkyFields f;
    f.ra = std::move(ra);
    f.dec = std::move(dec);
    return f;
}

inline std::string deepSkyLine(const DeepSkyFields& f) {
    std::string line;
    put(line, 1, f.number);
    put(line, 21, f.ra);
    put(line, 32, f.dec);
    put(line, 51, f.text51);
    put(line, 62, f.size1);
    put(line, 69, f.size2);
    put(line, 75, f.pa);
    put(line, 79, f.text79);
    put(line, 88, f.pgc);
    put(line, 97, f.text97);
    put(line, 113, f.text113);
    line.resize(127, ' ');
    return line;
}

// A catalogue file: two header lines, then the object lines, CR LF ends.
inline std::string deepSkyFile(const std::vector<std::string>& lines) {
    std::string file = "Objects, J2000.0\r\n  No.  RA  Dec  Mag  Size1 Size2  PA Type  PGC\r\n";
    for (const auto& line : lines) file += line + "\r\n";
    return file;
}

}  // namespace sextrix::testing

#pragma once
// Designations of minor planets and comets as an observer types them, and
// their packed form in columns 1-12 of the Minor Planet Center's 80-column
// observation record.
//
// Columns 1-5 hold a minor planet's number: zero-padded below 100000, a
// letter for the ten-thousands up to 619999 ("A0345" is 100345), then "~"
// and four base-62 digits of the number less 620000. Columns 6-12 hold a
// provisional designation: the century as a letter (I, J, K for 18, 19,
// 20), the year's last two digits, the half-month letter, the cycle count
// in two characters (a letter for the tens above 99) and the second letter
// ("2008 AA360" is "K08Aa0A"); past 15,500 designations in a half-month
// "_", the year's letter, the half-month and four base-62 digits of the
// order less 15,501 ("2026 CA620" is "_QC0000"). The surveys pack as
// "PLS2040", "T1S3138". A comet has its number in columns 1-4 and its type
// (P, D, I for a numbered one; C, P, D, X, A for a provisional one) in
// column 5, its provisional designation in 6-12 with the order in two
// characters and a fragment as a lower-case letter in column 12. An
// observer's temporary designation starts in column 6.
#include <string>
#include <string_view>

#include "state/outcome.h"

namespace sextrix {

enum class DesignationKind {
    NumberedMinorPlanet,     // "433"
    ProvisionalMinorPlanet,  // "2024 AB12", "2040 P-L"
    NumberedComet,           // "1P", "3D"
    ProvisionalComet,        // "C/1995 O1", "P/1994 P1-B", "C/1997 BA6"
    Temporary,               // the observer's own, "ZTF0A1"
};

struct Designation {
    DesignationKind kind = DesignationKind::Temporary;
    std::string name;     // as ADES writes it (permID, provID or trkSub): "433", "2024 AB12", "1P"
    std::string columns;  // columns 1-12 of the 80-column record
};

// What a user types: "433" or "(433)", "2024 AB12", "1995 XA", "2040 P-L",
// "3138 T-1", "C/1995 O1", "P/2010 A2", "P/1994 P1-B", "1P", or a temporary
// designation (one to seven letters and digits starting with a letter).
// Blanks around it are ignored.
Outcome<Designation> parseDesignation(std::string_view typed);

// Columns 1-12 of a record back to the designation they pack.
Outcome<Designation> unpackDesignation(std::string_view columns);

// For showing: "(433)" for a numbered minor planet, the name otherwise.
std::string displayName(const Designation& designation);

bool isComet(DesignationKind kind);

}  // namespace sextrix

#pragma once
// The star answer from a local catalogue file instead of a service:
// hosts.cfg's "star=local:PATH". The stars of the query's cone down to its
// magnitude limit, the brightest kVizierMaxRows, written as the same star
// answer page (star_answer_page.h) with no network.
#include <optional>
#include <string>

#include "catalog/download_protocols.h"

namespace sextrix {

inline constexpr std::string_view kLocalProtocol = "local";

// Positions are moved by their proper motions to epochYear (Julian years)
// when it is given, else left at the catalogue's epoch. An error names the
// file: it cannot be opened, is no local catalogue, or cannot be read.
AnswerOutcome localStarAnswer(const std::string& path, const StarQuery& query, std::optional<double> epochYear);

// The star protocol whose answers are of the same catalogue as the local
// file at path, which is how the reports name a catalogue
// (catalogueOfProtocol): "vizier" for USNO-A2.0, "vizier-ucac4",
// "vizier-gaia"; empty for Tycho-2, which no protocol serves, and for a file
// that cannot be read.
std::string localProtocolEquivalent(const std::string& path);

}  // namespace sextrix

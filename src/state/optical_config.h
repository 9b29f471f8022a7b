#pragma once
#include <string>

namespace sextrix {

// One optical configuration of config.cfg: a name and the two scale factors,
// kept as the texts typed (a decimal comma stays a comma).
struct OpticalConfig {
    std::string name;
    std::string corrAsd;  // pixels per degree of right ascension
    std::string corrDec;  // pixels per degree of declination

    bool operator==(const OpticalConfig&) const = default;
};

}  // namespace sextrix

#pragma once
// config.cfg, the observer's named pairs of scale factors, and the edits of
// the list that the configurations window makes.
//
// Layout (lines written with CR LF, read with any line end):
//   1          the count n, written with one blank before and one after (" 2 ")
//   2 + 3(k-1) name of configuration k
//   3 + 3(k-1) its Corr Asd, as typed
//   4 + 3(k-1) its Corr Dec, as typed
// for k = 1..n, nothing after. At most 15 configurations. The factors are
// neither checked nor normalised, so a decimal comma stays a comma.
#include <string>
#include <vector>

#include "state/optical_config.h"
#include "state/read_result.h"

namespace sextrix {

constexpr int kMaxOpticalConfigs = 15;

// Appends to configs the configurations of the text of config.cfg (already
// UTF-8; `file` names it in an error). The count is a 16-bit integer, blanks
// around it ignored, under the strict parse with the given decimal separator.
// Fails on a count that is not a number, a file that ends early or a count
// above 15; configs then holds the entries read before (a last entry cut
// inside its three lines is not kept), the first 15 for a count above 15.
Result<void> parseConfigFile(const std::string& text, const std::string& file, char decimalSeparator,
                             std::vector<OpticalConfig>& configs);

// The bytes of config.cfg for these configurations.
std::string configFileBytes(const std::vector<OpticalConfig>& configs);

std::vector<std::string> configNames(const std::vector<OpticalConfig>& configs);

// Appends "Config#" with factors "0" and "0"; false, changing nothing, when
// the list already holds 15.
bool addConfig(std::vector<OpticalConfig>& configs);

// Removes the entry at list position p and returns the position to select
// afterwards: p, or the new last one when p was the last; -1 when the list is
// left empty. A position outside the list removes nothing and is returned.
int deleteConfig(std::vector<OpticalConfig>& configs, int position);

}  // namespace sextrix

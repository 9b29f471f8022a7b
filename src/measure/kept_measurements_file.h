#pragma once
// The measurements kept with a project, in a file beside it: a first line
// naming the format and its version, a line of column names, then one line
// per measurement with its fields separated by tabs. Numbers carry '.' and
// every digit a double holds; an empty field is a value not known. Tabs,
// line ends and backslashes in the texts are written as \t, \n, \r and \\.
#include <string>
#include <string_view>
#include <vector>

#include "kept_measurement.h"
#include "state/read_result.h"

namespace sextrix {

// The file beside a project: "m67.pam" -> "m67.pam.measurements".
std::string measurementsPathFor(const std::string& projectPath);

std::string keptMeasurementsText(const std::vector<KeptMeasurement>& measurements);

// All the measurements of `file`'s text, or an error naming the line: the
// file is taken whole or not at all.
Result<std::vector<KeptMeasurement>> readKeptMeasurements(std::string_view text, const std::string& file);

}  // namespace sextrix

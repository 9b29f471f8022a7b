#include "project_file.h"

#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {

using enum LineKind;
const std::array<LineKind, kProjectLines> kProjectLayout{
    Text, Text,     Text, Text, Text, Text, Text, Text, Text, Text,     Text,     Text,     Text,     Text,    Text,
    Text, CheckBox, Text, Text, Text, Text, Text, Text, Text, CheckBox, CheckBox, CheckBox, CheckBox, CheckBox};

std::string projectFileName(const std::string& chosen) {
    return chosen.find(".pam") == std::string::npos ? chosen + ".pam" : chosen;
}

std::string projectFileBytes(const std::vector<std::string>& values) { return joinLinesCrLf(values); }

Result<std::vector<std::string>> readProjectValues(const std::string& text, const std::string& file,
                                                   char decimalSeparator) {
    LineReader reader(text);
    std::vector<std::string> values;
    for (const LineKind kind : kProjectLayout) {
        if (reader.atEnd())
            return ReadError{.file = file,
                             .cause = "The file ends after line " + intToText(static_cast<long long>(values.size())) +
                                      " of " + intToText(kProjectLines) +
                                      " (a project has one line per input, each ended by CR LF)"};
        Result<std::string> line =
            controlLine(reader.readLine(), kind, file, static_cast<int>(values.size()) + 1, decimalSeparator);
        if (!line) return std::move(line).error();
        values.push_back(std::move(*line));
    }
    return values;
}

}  // namespace sextrix

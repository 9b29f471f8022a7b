#include "optical_configs.h"

#include <exception>

#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {

Result<void> parseConfigFile(const std::string& text, const std::string& file, char decimalSeparator,
                             std::vector<OpticalConfig>& configs) {
    LineReader reader(text, LineEnds::Any);
    int count = 0;
    try {
        count = parseStrictInt16(reader.atEnd() ? std::string() : reader.readLine(), decimalSeparator);
    } catch (const std::exception& e) {
        return ReadError{
            .file = file, .line = 1, .cause = std::string("not the number of configurations (") + e.what() + ")"};
    }
    const int wanted = count > kMaxOpticalConfigs ? kMaxOpticalConfigs : count;
    for (int k = 0; k < wanted; ++k) {
        if (reader.atEnd())
            return ReadError{
                .file = file,
                .cause = "the file ends after " + intToText(k) + " of its " + intToText(count) + " configurations"};
        // A last entry cut inside its three lines is not kept half-read.
        OpticalConfig config;
        std::string* const parts[] = {&config.name, &config.corrAsd, &config.corrDec};
        for (std::string* part : parts) {
            if (reader.atEnd())
                return ReadError{
                    .file = file,
                    .cause = "the file ends inside configuration " + intToText(k + 1) + " of " + intToText(count)};
            *part = reader.readLine();
        }
        configs.push_back(std::move(config));
    }
    if (count > kMaxOpticalConfigs)
        return ReadError{.file = file,
                         .line = 1,
                         .cause = "announces " + intToText(count) + " configurations; only the first " +
                                  intToText(kMaxOpticalConfigs) + " are read"};
    return {};
}

std::string configFileBytes(const std::vector<OpticalConfig>& configs) {
    std::vector<std::string> lines{" " + intToText(static_cast<long long>(configs.size())) + " "};
    for (const OpticalConfig& config : configs) {
        lines.push_back(config.name);
        lines.push_back(config.corrAsd);
        lines.push_back(config.corrDec);
    }
    return joinLinesCrLf(lines);
}

std::vector<std::string> configNames(const std::vector<OpticalConfig>& configs) {
    std::vector<std::string> names;
    for (const OpticalConfig& config : configs) names.push_back(config.name);
    return names;
}

bool addConfig(std::vector<OpticalConfig>& configs) {
    if (static_cast<int>(configs.size()) >= kMaxOpticalConfigs) return false;
    configs.push_back({"Config#", "0", "0"});
    return true;
}

int deleteConfig(std::vector<OpticalConfig>& configs, int position) {
    const int count = static_cast<int>(configs.size());
    if (position < 0 || position >= count) return position;
    configs.erase(configs.begin() + position);
    return position < count - 1 ? position : count - 2;
}

}  // namespace sextrix

#include "optical_configs.h"

#include <exception>

#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {

ConfigFileRead parseConfigFile(const std::string& text, char decimalSeparator) {
    ConfigFileRead read;
    LineReader reader(text, LineEnds::Any);
    int count = 0;
    try {
        count = parseStrictInt16(reader.readLine(), decimalSeparator);
    } catch (const std::exception& e) {
        read.failure =
            std::string("config.cfg: the first line must be the number of configurations (") + e.what() + ")";
        return read;
    }
    const int wanted = count > kMaxOpticalConfigs ? kMaxOpticalConfigs : count;
    for (int k = 0; k < wanted; ++k) {
        if (reader.atEnd()) {
            read.failure =
                "config.cfg: the file ends after " + intToText(k) + " of its " + intToText(count) + " configurations";
            return read;
        }
        OpticalConfig config;
        // A last entry cut inside its three lines is not kept half-read.
        try {
            config.name = reader.readLine();
            config.corrAsd = reader.readLine();
            config.corrDec = reader.readLine();
        } catch (const std::exception&) {
            read.failure =
                "config.cfg: the file ends inside configuration " + intToText(k + 1) + " of " + intToText(count);
            return read;
        }
        read.configs.push_back(std::move(config));
    }
    if (count > kMaxOpticalConfigs)
        read.failure = "config.cfg announces " + intToText(count) + " configurations; only the first " +
                       intToText(kMaxOpticalConfigs) + " are read";
    return read;
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

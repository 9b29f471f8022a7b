#include "asu_tsv.h"

#include "service_text.h"

namespace sextrix {

std::vector<std::string_view> tsvCells(std::string_view line) {
    std::vector<std::string_view> out;
    for (;;) {
        const auto tab = line.find('\t');
        out.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return out;
        line.remove_prefix(tab + 1);
    }
}

bool isDashesCell(std::string_view cell) {
    return !cell.empty() && cell.find_first_not_of('-') == std::string_view::npos;
}

bool isAsuInfo(std::string_view line, std::string_view what) {
    constexpr std::string_view kInfo = "#INFO";
    return line.starts_with(kInfo) && trimmed(line.substr(kInfo.size())).starts_with(what);
}

bool isAsuError(std::string_view line) {
    return line.starts_with("#***") || (line.starts_with("#INFO") && line.find("rror") != std::string_view::npos);
}

bool isAsuClosing(std::string_view line) { return isAsuInfo(line, "matches="); }

std::string_view asuTableName(std::string_view line) {
    constexpr std::string_view kName = "#Name:";
    if (!line.starts_with(kName)) return {};
    return trimmed(line.substr(kName.size()));
}

}  // namespace sextrix

#include "suggestion.h"

#include "state/text_number.h"

namespace sextrix {
namespace {

// The caption for a finished calculation: too few or too many candidates,
// then too many or too few catalogue stars.
std::string captionAfterCalculation(std::string caption, const LanguageTables& t, double candidates,
                                    double catalogueStars) {
    const std::string cr = "\r";
    if (candidates < 100)
        caption = t.suggestionTexts[1] + cr;
    else if (candidates > 100)
        caption = t.suggestionTexts[2] + cr;
    if (catalogueStars > 300)
        caption += t.suggestionTexts[3] + cr;
    else if (catalogueStars < 100)
        caption += t.suggestionTexts[4] + cr;
    return caption;
}

}  // namespace

std::string suggestionCaption(const LanguageTables& tables, const std::string& current, const std::string& key,
                              Int16 step, const std::string& a, const std::string& b, char decimalSeparator) {
    const auto& s = tables.suggestionTexts;
    if (key == "calcul") {
        if (step == -1) return s[5];
        if (step == 0)
            return captionAfterCalculation(current, tables, parseStrictNumber(a, decimalSeparator),
                                           parseStrictNumber(b, decimalSeparator));
    } else if (key == "superetalonage") {
        if (step >= 0) return s[6];
        if (step == -1) return s[7];
    } else if (key == "etalonage") {
        if (step < 1) return s[8];
        if (step == 1) return s[9];
    } else if (key == "selectstar") {
        if (step == 1) return s[10];
        if (step == 2) return s[11];
    } else if (key == "open") {
        return s[12];
    } else if (key == "fullmapannuler") {
        return s[13];
    } else if (key == "calculannuler") {
        return s[14];
    } else if (key == "softupdate") {
        return s[15];
    }
    return current;
}

}  // namespace sextrix

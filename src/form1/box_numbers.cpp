#include "box_numbers.h"

#include <optional>

#include "captions.h"
#include "catalog/service_text.h"
#include "state/errors.h"
#include "state/text_number.h"

namespace sextrix {

std::string boxName(const LanguageTables& lang, int labelEntry, const char* fallback, int place, int places) {
    const std::string caption = laterFormEntry(lang, labelEntry, fallback);
    std::string_view label = trimmed(caption);
    if (label.ends_with(':')) label = trimmed(label.substr(0, label.size() - 1));
    std::string name(label);
    if (places > 1) name += " " + intToText(place) + "/" + intToText(places);
    return name;
}

InputError notANumber(const LanguageTables& lang, const std::string& box, const std::string& text) {
    return InputError(laterFormEntry(lang, 130, "%1: \"%2\" is not a number.", {box, text}));
}

InputError outOfRange(const LanguageTables& lang, const std::string& box, const std::string& text) {
    return InputError(laterFormEntry(lang, 155, "%1: \"%2\" is out of range.", {box, text}));
}

double strictBoxNumber(const App& app, const std::string& text, const std::string& box) {
    std::optional<double> value;
    try {
        value = tryParseStrictNumber(text, app.ctx.decimalSeparator);
    } catch (const OverflowError&) {
        throw outOfRange(app.ctx.lang, box, text);
    }
    if (!value) throw notANumber(app.ctx.lang, box, text);
    return *value;
}

double leadingBoxNumber(const App& app, const std::string& text, const std::string& box) {
    try {
        return parseLeadingNumber(text);
    } catch (const OverflowError&) {
        throw outOfRange(app.ctx.lang, box, text);
    }
}

}  // namespace sextrix

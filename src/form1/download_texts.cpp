#include "download_texts.h"

#include "captions.h"
#include "catalog/service_text.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

std::string wholeKilobytes(std::uint64_t bytes) {
    return intToText(static_cast<long long>(roundHalfEven(static_cast<double>(bytes) / 1024)));
}

}  // namespace

std::string receivedText(const LanguageTables& lang, std::uint64_t bytes) {
    if (bytes < 1024)
        return intToText(static_cast<long long>(bytes)) + " " + laterFormEntry(lang, 132, "bytes received");
    return wholeKilobytes(bytes) + " " + laterFormEntry(lang, 86, "KB received");
}

std::string kilobyteText(const LanguageTables& lang, std::uint64_t bytes) {
    return wholeKilobytes(bytes) + " " + laterFormEntry(lang, 131, "KB");
}

std::string httpFailureText(const LanguageTables& lang, int status) {
    return laterFormEntry(lang, 133, "HTTP %1 error", {intToText(status)});
}

std::string updateSilentText(const LanguageTables& lang, const std::string& host) {
    return laterFormEntry(lang, 134, "update check: no answer from %1", {host});
}

std::string boxName(const LanguageTables& lang, int labelEntry, const char* fallback, int place, int places) {
    const std::string caption = laterFormEntry(lang, labelEntry, fallback);
    std::string_view label = trimmed(caption);
    if (label.ends_with(':')) label = trimmed(label.substr(0, label.size() - 1));
    std::string name(label);
    if (places > 1) name += " " + intToText(place) + "/" + intToText(places);
    return name;
}

std::string notANumberText(const LanguageTables& lang, const std::string& box, const std::string& text) {
    return laterFormEntry(lang, 130, "%1: \"%2\" is not a number.", {box, text});
}

}  // namespace sextrix

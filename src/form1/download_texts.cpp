#include "download_texts.h"

#include "captions.h"
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

}  // namespace sextrix

#include "failure_text.h"

#include "captions.h"
#include "state/errors.h"

namespace sextrix {
namespace {

constexpr int kNotANumberEntry = 142, kOverflowEntry = 143, kFileEntries = 144, kEndOfFileEntry = 149;

std::string fileFailureText(const LanguageTables& lang, const FileError& failure) {
    if (failure.fault == FileFault::Other) return failure.what();
    static const char* const fallbacks[] = {"File not found: %1", "Not a file: %1", "Cannot read %1", "Cannot write %1",
                                            "Cannot delete %1"};
    const int kind = static_cast<int>(failure.fault) - 1;
    const std::string text = laterFormEntry(lang, kFileEntries + kind, fallbacks[kind], {failure.path});
    return failure.reason.empty() ? text : text + " (" + failure.reason + ")";
}

}  // namespace

std::string failureText(const LanguageTables& lang, const std::exception& failure) {
    if (const auto* mismatch = dynamic_cast<const TypeMismatchError*>(&failure))
        return laterFormEntry(lang, kNotANumberEntry, "\"%1\" is not a number.", {mismatch->text});
    if (dynamic_cast<const OverflowError*>(&failure))
        return laterFormEntry(lang, kOverflowEntry, "A number is out of the range allowed.");
    if (dynamic_cast<const EndOfFileError*>(&failure))
        return laterFormEntry(lang, kEndOfFileEntry, "The file ends too early.");
    if (const auto* file = dynamic_cast<const FileError*>(&failure)) return fileFailureText(lang, *file);
    return failure.what();
}

}  // namespace sextrix

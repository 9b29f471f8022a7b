#include "failure_text.h"

#include "captions.h"
#include "state/errors.h"

namespace sextrix {
namespace {

constexpr int kNotANumberEntry = 142, kOverflowEntry = 143, kFileEntries = 144, kEndOfFileEntry = 149;

std::string fileFailureText(const LanguageTables& lang, FileFault fault, const std::string& path,
                            const std::string& reason) {
    static const char* const fallbacks[] = {"File not found: %1", "Not a file: %1", "Cannot read %1", "Cannot write %1",
                                            "Cannot delete %1"};
    const int kind = static_cast<int>(fault) - 1;
    const std::string text = laterFormEntry(lang, kFileEntries + kind, fallbacks[kind], {path});
    return reason.empty() ? text : text + " (" + reason + ")";
}

}  // namespace

std::string failureText(const LanguageTables& lang, const ReadError& error) {
    if (error.fault == FileFault::Other) return describe(error);
    return fileFailureText(lang, error.fault, error.file, error.cause);
}

std::string failureCause(const LanguageTables& lang, const ReadError& error) {
    if (error.fault == FileFault::Other) return describeWithoutFile(error);
    return failureText(lang, error);
}

std::string failureText(const LanguageTables& lang, const std::exception& failure) {
    if (const auto* read = dynamic_cast<const ReadFailure*>(&failure)) return failureText(lang, read->error);
    if (const auto* mismatch = dynamic_cast<const TypeMismatchError*>(&failure))
        return laterFormEntry(lang, kNotANumberEntry, "\"%1\" is not a number.", {mismatch->text});
    if (dynamic_cast<const OverflowError*>(&failure))
        return laterFormEntry(lang, kOverflowEntry, "A number is out of the range allowed.");
    if (dynamic_cast<const EndOfFileError*>(&failure))
        return laterFormEntry(lang, kEndOfFileEntry, "The file ends too early.");
    if (const auto* file = dynamic_cast<const FileError*>(&failure)) {
        if (file->fault == FileFault::Other) return file->what();
        return fileFailureText(lang, file->fault, file->path, file->reason);
    }
    return failure.what();
}

}  // namespace sextrix

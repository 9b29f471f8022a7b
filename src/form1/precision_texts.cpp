#include "precision_texts.h"

#include "captions.h"

namespace sextrix {
namespace {

struct Entry {
    int index;
    const char* english;
};

// In the order of PrecisionText.
constexpr Entry kEntries[] = {
    {100, "Refinement: %1 stars used, %2 rejected, RMS %3\""},
    {101, ", SIP distortion of order %1"},
    {102, "Refinement: %1 stars matched, %2 needed; the three-star plate stays"},
    {103, "Export WCS"},
    {104, "Residuals"},
    {105, "Residual table"},
    {106, "Residual vectors"},
    {107, "Residuals of the refined solution"},
    {108, "Star"},
    {109, "Used"},
    {110, "yes"},
    {111, "rejected"},
    {112, "There is no refined solution yet: identify the field (3-Calculate) on an image with enough stars."},
    {113, "WCS solution written to "},
    {114, "The WCS solution could not be written to "},
    {115, "Residual vectors: x%1, the bar is %2\""},
};

}  // namespace

std::string precisionText(const LanguageTables& lang, PrecisionText text, const std::vector<std::string>& values) {
    const Entry& entry = kEntries[static_cast<int>(text)];
    std::string filled = laterFormEntry(lang, entry.index, entry.english);
    for (std::size_t k = values.size(); k-- > 0;) {
        const std::string mark = "%" + std::to_string(k + 1);
        for (auto at = filled.find(mark); at != std::string::npos; at = filled.find(mark, at + values[k].size()))
            filled.replace(at, mark.size(), values[k]);
    }
    return filled;
}

}  // namespace sextrix

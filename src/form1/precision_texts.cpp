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
    {105, "Refinement: %1 stars used, %2 rejected, RMS %3\""},
    {106, ", SIP distortion of order %1"},
    {107, "Refinement: %1 stars matched, %2 needed; the three-star plate stays"},
    {108, "Export WCS"},
    {109, "Residuals"},
    {110, "Residual table"},
    {111, "Residual vectors"},
    {112, "Residuals of the refined solution"},
    {113, "Star"},
    {114, "Used"},
    {152, "O-C RA (\")"},
    {153, "O-C Dec (\")"},
    {115, "yes"},
    {116, "rejected"},
    {117, "There is no refined solution yet: identify the field (3-Calculate) on an image with enough stars."},
    {118, "WCS solution written to "},
    {119, "The WCS solution could not be written to "},
    {120, "Residual vectors: x%1, the bar is %2\""},
    {121, "Automatic solve"},
    {122, "Automatic solve: no reliable solution (%1)"},
    {123, "Automatic solve: %1 of %2 check stars where predicted; chance of a wrong solution under 1e%3"},
    {135, "WCS header (*.wcs)"},
    {136, "%1 already exists. Replace it?"},
};

}  // namespace

std::string precisionText(const LanguageTables& lang, PrecisionText text, const std::vector<std::string>& values) {
    const Entry& entry = kEntries[static_cast<int>(text)];
    return laterFormEntry(lang, entry.index, entry.english, values);
}

}  // namespace sextrix

#include "language_choice.h"

namespace sextrix {
namespace {

bool missing(const std::string& entry) { return entry.empty() || entry.front() == '['; }

template <std::size_t N>
int same(const std::array<std::string, N>& a, const std::array<std::string, N>& b) {
    int count = 0;
    for (std::size_t i = 0; i < N; ++i) count += !missing(a[i]) && a[i] == b[i];
    return count;
}

int sameEntries(const LanguageTables& a, const LanguageTables& b) {
    return same(a.configTexts, b.configTexts) + same(a.config2Texts, b.config2Texts) + same(a.formTexts, b.formTexts) +
           same(a.wizardTexts, b.wizardTexts) + same(a.suggestionTexts, b.suggestionTexts) +
           same(a.infoTexts, b.infoTexts);
}

template <std::size_t N>
void fill(std::array<std::string, N>& table, const std::array<std::string, N>& shipped) {
    for (std::size_t i = 0; i < N; ++i)
        if (missing(table[i]) && !missing(shipped[i])) table[i] = shipped[i];
}

}  // namespace

std::string languageFileName(Language language) { return language == Language::French ? "lang-fr.cfg" : "lang-en.cfg"; }

Language closestLanguage(const LanguageTables& loaded, const LanguageTables& french, const LanguageTables& english) {
    return sameEntries(loaded, french) > sameEntries(loaded, english) ? Language::French : Language::English;
}

void completeFrom(LanguageTables& tables, const LanguageTables& shipped) {
    fill(tables.configTexts, shipped.configTexts);
    fill(tables.config2Texts, shipped.config2Texts);
    fill(tables.formTexts, shipped.formTexts);
    fill(tables.wizardTexts, shipped.wizardTexts);
    fill(tables.suggestionTexts, shipped.suggestionTexts);
    fill(tables.infoTexts, shipped.infoTexts);
}

}  // namespace sextrix

#include "interface_language.h"

#include <exception>

#include "lang/language_file.h"
#include "state/text_encoding.h"
#include "state/text_file.h"

namespace sextrix::ui {

namespace {
// A shipped file that is missing or unreadable leaves its tables empty.
LanguageTables readShipped(const App& app, const char* name) {
    LanguageTables tables;
    try {
        parseLanguageFile(textFromFile(readFileBytes(app.programFile(name))), name, tables);
    } catch (const std::exception&) {
    }
    return tables;
}

template <std::size_t N>
int same(const std::array<std::string, N>& a, const std::array<std::string, N>& b) {
    int count = 0;
    for (std::size_t i = 0; i < N; ++i) count += a[i] == b[i];
    return count;
}
// How many entries of `a` and `b` are the same text.
int sameEntries(const LanguageTables& a, const LanguageTables& b) {
    return same(a.configTexts, b.configTexts) + same(a.config2Texts, b.config2Texts) + same(a.formTexts, b.formTexts) +
           same(a.wizardTexts, b.wizardTexts) + same(a.suggestionTexts, b.suggestionTexts) +
           same(a.infoTexts, b.infoTexts);
}
}  // namespace

bool InterfaceLanguage::french() {
    if (!shipped_)
        shipped_ =
            std::make_unique<Shipped>(Shipped{readShipped(app_, "lang-fr.cfg"), readShipped(app_, "lang-en.cfg")});
    const LanguageTables& loaded = app_.ctx.lang;
    return sameEntries(loaded, shipped_->french) > sameEntries(loaded, shipped_->english);
}

}  // namespace sextrix::ui

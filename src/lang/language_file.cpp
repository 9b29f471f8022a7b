#include "language_file.h"

#include <span>

#include "state/text_lines.h"

namespace sextrix {
namespace {

struct Section {
    const char* marker;
    std::span<std::string> table;
    int firstEntry;
};

}  // namespace

Result<LanguageTables> parseLanguageFile(const std::string& bytes, const std::string& file, LanguageTables tables) {
    const Section sections[] = {
        {"[CONFIG2]", tables.configTexts, 1},  {"[FORM]", tables.config2Texts, 1},
        {"[WIZARD]", tables.formTexts, 1},     {"[SUGESTIONS]", tables.wizardTexts, 1},
        {"[INFO]", tables.suggestionTexts, 0}, {"[END]", tables.infoTexts, 1},
    };
    LineReader reader(bytes);
    if (reader.atEnd()) return ReadError{.file = file, .cause = "the file is empty"};
    std::string last = reader.readLine();  // title line
    int lineNumber = 1;
    for (const Section& section : sections) {
        int entry = section.firstEntry - 1;
        while (last != section.marker) {
            if (reader.atEnd())
                return ReadError{
                    .file = file,
                    .line = lineNumber,
                    .cause = std::string("the file ends here, and the marker line ") + section.marker + " is missing"};
            last = reader.readLine();
            ++lineNumber;
            ++entry;
            if (entry >= static_cast<int>(section.table.size()))
                return ReadError{
                    .file = file,
                    .line = lineNumber,
                    .cause = std::string("the section ending with ") + section.marker + " holds more than " +
                             std::to_string(section.table.size() - section.firstEntry) + " lines, marker included"};
            section.table[entry] = last;
        }
    }
    return tables;
}

}  // namespace sextrix

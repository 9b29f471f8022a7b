#include "language_file.h"

#include <span>

#include "state/errors.h"
#include "state/text_file.h"
#include "state/text_lines.h"

namespace sextrix {
namespace {

struct Section {
    const char* marker;
    std::span<std::string> table;
    int firstEntry;
};

}  // namespace

void parseLanguageFile(const std::string& bytes, const std::string& fileName, LanguageTables& tables) {
    LanguageTables loaded = tables;
    const Section sections[] = {
        {"[CONFIG2]", loaded.configTexts, 1},  {"[FORM]", loaded.config2Texts, 1},
        {"[WIZARD]", loaded.formTexts, 1},     {"[SUGESTIONS]", loaded.wizardTexts, 1},
        {"[INFO]", loaded.suggestionTexts, 0}, {"[END]", loaded.infoTexts, 1},
    };
    LineReader reader(bytes);
    if (reader.atEnd()) throw LanguageFileError(fileName + ": the file is empty");
    std::string last = reader.readLine();  // title line
    int lineNumber = 1;
    for (const Section& section : sections) {
        int entry = section.firstEntry - 1;
        while (last != section.marker) {
            if (reader.atEnd())
                throw LanguageFileError(fileName + ": the marker line " + section.marker +
                                        " is missing (end of file reached at line " + std::to_string(lineNumber) + ")");
            last = reader.readLine();
            ++lineNumber;
            ++entry;
            if (entry >= static_cast<int>(section.table.size()))
                throw LanguageFileError(fileName + ": the section ending with " + section.marker + " holds more than " +
                                        std::to_string(section.table.size() - section.firstEntry) +
                                        " lines, marker included (line " + std::to_string(lineNumber) + ")");
            section.table[entry] = last;
        }
    }
    tables = loaded;
}

}  // namespace sextrix

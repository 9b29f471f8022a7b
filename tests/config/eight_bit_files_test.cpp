// The program's own files written by an older Windows tool, in Windows-1252.
#include <gtest/gtest.h>

#include "config/config_handlers.h"
#include "form1/defaults.h"
#include "form1/startup.h"
#include "frmlang/frm_lang_handlers.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

// The English file with an 8-bit caption in place of the Config window's.
std::string eightBitLanguageFile() {
    std::string bytes = readFileBytes(testing::dataFile("lang-en.cfg")).value();
    const std::string caption = "Optical scale factors";
    bytes.replace(bytes.find(caption), caption.size(), "Coefficients optiques \x96 \xE9t\xE9");
    return bytes;
}

TEST(EightBitFiles, ReadersTakeWindows1252) {
    struct Row {
        const char* file;
        std::string bytes;
        std::function<std::string(testing::TestApp&)> read;
        std::string expected;
    };
    const std::vector<std::string> defaults = {"10", "1409.57", "1440", "20", "13", "16", "7", "C:\\N\xE9."};
    const Row rows[] = {
        {"config.cfg",
         " 1 \r\nLunette 80 \x80 r\xE9"
         "ducteur\r\n1409,57\r\n1440\r\n",
         [](testing::TestApp& t) {
             Config_Form_Load(t.app);
             return t.app.config.List1.items.at(0);
         },
         "Lunette 80 € réducteur"},
        {"defaut.cfg", joinLinesCrLf(defaults),
         [](testing::TestApp& t) {
             readDefaults(t.app);
             return t.app.form1.txt_url.text;
         },
         "C:\\Né."},
        {"lang.cfg", eightBitLanguageFile(),
         [](testing::TestApp& t) {
             LoadLanguage(t.app);
             return t.app.ctx.lang.configTexts[1];
         },
         "Coefficients optiques – été"},
    };
    for (const Row& row : rows) {
        testing::TestApp t;
        t.folder.write(row.file, row.bytes);
        EXPECT_EQ(row.read(t), row.expected) << row.file;
        EXPECT_TRUE(t.fake.messages.empty()) << row.file;
    }

    // Chosen in the language chooser, such a file becomes a UTF-8 lang.cfg.
    testing::TestApp t;
    t.folder.write("lang-en.cfg", eightBitLanguageFile());
    ASSERT_TRUE(chooseLanguage(t.app, Language::English));
    EXPECT_NE(t.folder.read("lang.cfg").find("Coefficients optiques – été"), std::string::npos);
}

}  // namespace
}  // namespace sextrix

// The program's own files as a text editor may save them: LF or CR line
// ends, a UTF-8 byte-order mark before the text.
#include <gtest/gtest.h>

#include "config/config_handlers.h"
#include "form1/defaults.h"
#include "state/text_lines.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

std::string withLineEnd(std::string crLf, const std::string& end) {
    std::string out;
    for (const std::string& line : splitLines(crLf)) out += line + end;
    return out;
}

TEST(EditedFiles, AnyLineEndAndAByteOrderMarkReadAsCrLf) {
    const std::vector<std::string> defaults = {"12", "2599.43", "2709.96", "25",   "14", "17", "4", "/sky/m67.jpg",
                                               "1",  "1",       "90",      "15.5", "0",  "1",  "1", "1"};
    const std::string files[][2] = {
        {"config.cfg", " 2 \r\nC8 f/6.3\r\n2599.43\r\n2709.96\r\nLunette 80\r\n1409\r\n1440\r\n"},
        {"defaut.cfg", joinLinesCrLf(defaults)}};
    const std::pair<std::string, std::string> ends[] = {{"\r\n", "CR LF"}, {"\n", "LF"}, {"\r", "CR"}};
    for (const std::string& mark : {"", "\xEF\xBB\xBF"})
        for (const auto& [end, endName] : ends)
            for (const auto& [name, bytes] : files) {
                testing::TestApp t;
                t.folder.write(name, mark + withLineEnd(bytes, end));
                const std::string form = name + ", " + endName + (mark.empty() ? "" : ", byte-order mark");
                if (name == "config.cfg") {
                    Config_Form_Load(t.app);
                    EXPECT_EQ(t.app.config.List1.items, (std::vector<std::string>{"C8 f/6.3", "Lunette 80"})) << form;
                } else {
                    readDefaults(t.app);
                    EXPECT_EQ(defaultsFileBytes(t.app.form1), bytes) << form;
                }
                EXPECT_TRUE(t.fake.messages.empty()) << form;
            }
}

}  // namespace
}  // namespace sextrix

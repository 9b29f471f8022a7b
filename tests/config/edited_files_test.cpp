// Settings files as an editor may save them: LF or CR ends, a byte-order mark.
#include <gtest/gtest.h>

#include <regex>

#include "config/config_handlers.h"
#include "form1/defaults.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

TEST(EditedFiles, AnyLineEndAndAByteOrderMark) {
    const std::string config = " 2 \r\nC8\r\n2599.43\r\n2709.96\r\nL80\r\n1409\r\n1440\r\n";
    const std::string defaults =
        "12\r\n1\r\n2\r\n25\r\n14\r\n17\r\n4\r\n/m67.jpg\r\n1\r\n1\r\n90\r\n15.5\r\n0\r\n1\r\n1\r\n1\r\n";
    const std::pair<std::string, std::string> forms[] = {
        {"", "\n"}, {"", "\r"}, {"\xEF\xBB\xBF", "\r\n"}, {"\xEF\xBB\xBF", "\n"}};
    for (const auto& [mark, end] : forms) {
        testing::TestApp t;
        t.folder.write("config.cfg", mark + std::regex_replace(config, std::regex("\r\n"), end));
        t.folder.write("defaut.cfg", mark + std::regex_replace(defaults, std::regex("\r\n"), end));
        Config_Form_Load(t.app);
        readDefaults(t.app);
        EXPECT_EQ(t.app.config.List1.items, (std::vector<std::string>{"C8", "L80"})) << mark.size() << end.size();
        EXPECT_EQ(defaultsFileBytes(t.app.form1), defaults) << mark.size() << end.size();
        EXPECT_TRUE(t.fake.messages.empty()) << mark.size() << end.size();
    }
}

}  // namespace
}  // namespace sextrix

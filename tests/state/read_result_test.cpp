// The one way a reader fails: a value, or an error naming the file, the line
// and the cause, said the same way by every caller.
#include "state/read_result.h"

#include <gtest/gtest.h>

namespace sextrix {
namespace {

TEST(ReadError, SaysTheFileTheLineAndTheCause) {
    const struct {
        ReadError error;
        const char* said;
    } rows[] = {
        {{.file = "data2.txt", .line = 15, .cause = "Overflow"}, "data2.txt, line 15: Overflow"},
        {{.file = "data.txt", .line = 3, .cause = "Overflow", .place = ReadPlace::Record},
         "data.txt, record 3: Overflow"},
        {{.file = "bad.pam", .cause = "The file ends after line 28 of 29"},
         "bad.pam: The file ends after line 28 of 29"},
        {{.line = 4, .cause = "no name"}, "line 4: no name"},
        {{.cause = "empty"}, "empty"},
        {{.file = "/x/defaut.cfg", .cause = "No such file or directory", .fault = FileFault::NotFound},
         "File not found: /x/defaut.cfg (No such file or directory)"},
        {{.file = "/x", .fault = FileFault::NotAFile}, "Not a file: /x"},
    };
    for (const auto& row : rows) EXPECT_EQ(describe(row.error), row.said);
    EXPECT_EQ(describeWithoutFile(rows[1].error), "record 3: Overflow");
}

TEST(Result, HoldsTheValueOrTheError) {
    Result<std::string> read = std::string("bytes");
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(*read, "bytes");
    EXPECT_EQ(read.value(), "bytes");

    const Result<int> refused = ReadError{.file = "a.cfg", .line = 2, .cause = "not a number"};
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().line, 2);
    EXPECT_EQ(refused.valueOr(7), 7);
    try {
        (void)refused.value();
        FAIL() << "value() of an error";
    } catch (const ReadFailure& failure) {
        EXPECT_STREQ(failure.what(), "a.cfg, line 2: not a number");
        EXPECT_EQ(failure.error.file, "a.cfg");
    }

    // andThen passes the value on, or the first error.
    const auto length = [](std::string text) -> Result<int> {
        if (text.empty()) return ReadError{.file = "b", .cause = "empty"};
        return static_cast<int>(text.size());
    };
    EXPECT_EQ(*Result<std::string>(std::string("four")).andThen(length), 4);
    EXPECT_EQ(Result<std::string>(std::string()).andThen(length).error().cause, "empty");
    EXPECT_EQ(Result<std::string>(ReadError{.file = "c"}).andThen(length).error().file, "c");

    const Result<void> done;
    EXPECT_TRUE(done.ok());
    EXPECT_NO_THROW(done.value());
    EXPECT_THROW(Result<void>(ReadError{.cause = "bad"}).value(), ReadFailure);
}

}  // namespace
}  // namespace sextrix

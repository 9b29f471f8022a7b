#include "state/text_lines.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "state/errors.h"
#include "state/text_file.h"
#include "support/temp_folder.h"

namespace sextrix {
namespace {

using Lines = std::vector<std::string>;

TEST(TextLines, EndAtCarriageReturnOrCrLfButNotAtLoneLineFeed) {
    EXPECT_EQ(splitLines("a\r\nb\rc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(splitLines("one\ntwo\r\n"), (Lines{"one\ntwo"}));
    EXPECT_EQ(splitLines("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(splitLines("last without end"), (Lines{"last without end"}));
    EXPECT_EQ(splitLines(""), Lines{});
    EXPECT_EQ(splitLines("x\r\r\ny"), (Lines{"x", "", "y"}));
}

TEST(TextLines, ReadingPastTheEndFails) {
    LineReader reader("only\r\n");
    EXPECT_EQ(reader.readLine(), "only");
    EXPECT_TRUE(reader.atEnd());
    EXPECT_THROW(reader.readLine(), EndOfFileError);
}

TEST(TextLines, WrittenWithCrLf) {
    EXPECT_EQ(joinLinesCrLf({"10", "", "x"}), "10\r\n\r\nx\r\n");
    EXPECT_EQ(splitLines(joinLinesCrLf({"a\nb", "c"})), (Lines{"a\nb", "c"}));
}

TEST(TextFile, BytesRoundTripAndFailuresNameTheFile) {
    testing::TempFolder folder;
    const std::string bytes("\0\r\n\xff", 4);
    writeFileBytes(folder.file("b.bin"), bytes);
    EXPECT_EQ(readFileBytes(folder.file("b.bin")).value(), bytes);
    EXPECT_TRUE(fileExists(folder.file("b.bin")));
    EXPECT_FALSE(fileExists(folder.file(".")));

    const Result<std::string> missing = readFileBytes(folder.file("missing.txt"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().file, folder.file("missing.txt"));
    EXPECT_EQ(missing.error().fault, FileFault::NotFound);
    EXPECT_EQ(readFileBytes(folder.path()).error().fault, FileFault::NotAFile);
    EXPECT_THROW(readFileBytes(folder.file("missing.txt")).value(), ReadFailure);
    EXPECT_THROW(writeFileBytes(folder.file("no/such/folder/x"), "x"), FileError);

    copyFile(folder.file("b.bin"), folder.file("c.bin"));
    EXPECT_EQ(readFileBytes(folder.file("c.bin")).value(), bytes);
    deleteFile(folder.file("c.bin"));
    EXPECT_FALSE(fileExists(folder.file("c.bin")));
    EXPECT_NO_THROW(deleteFile(folder.file("c.bin")));
}

TEST(TextFile, FailedWriteKeepsTheOldFile) {
    testing::TempFolder folder;
    folder.write("keep.cfg", "old\r\n");
    // A folder in the way of the temporary file makes the write fail.
    std::filesystem::create_directory(folder.file("keep.cfg.part"));
    EXPECT_THROW(writeFileBytes(folder.file("keep.cfg"), "new\r\n"), FileError);
    EXPECT_EQ(folder.read("keep.cfg"), "old\r\n");
}

TEST(TextFile, JoinPath) {
    EXPECT_EQ(joinPath("/opt/sx", "lang.cfg"), "/opt/sx/lang.cfg");
    EXPECT_EQ(joinPath("/opt/sx/", "lang.cfg"), "/opt/sx/lang.cfg");
}

}  // namespace
}  // namespace sextrix

#include "catalog/image_loading.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "state/errors.h"
#include "support/temp_folder.h"

namespace sextrix {
namespace {

namespace fs = std::filesystem;

// --- Path rule ---------------------------------------------------------------

struct PathRow {
    const char* name;
    const char* typed;
    bool inProgramFolder;
};

class ImagePath : public ::testing::TestWithParam<PathRow> {};

TEST_P(ImagePath, RelativeNamesLiveInTheProgramFolder) {
    const PathRow& row = GetParam();
    const std::string expected = row.inProgramFolder ? std::string("/opt/sextrix/") + row.typed : row.typed;
    EXPECT_EQ(resolveImagePath(row.typed, "/opt/sextrix"), expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ImagePath,
                         ::testing::Values(PathRow{"BareName", "img.jpg", true},
                                           PathRow{"SubFolder", "shots/m31.bmp", true},
                                           PathRow{"DriveLetter", "c:\\img.jpg", false},
                                           PathRow{"AbsoluteUnix", "/home/me/m31.jpg", false},
                                           PathRow{"ColonInsideName", "night:01.jpg", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- File time ---------------------------------------------------------------

class ImageLoading : public ::testing::Test {
protected:
    ImageLoading() { folder.write("img.bmp", "BM"); }
    std::string imagePath() const { return folder.file("img.bmp"); }
    void setFileTime(fs::file_time_type when) { fs::last_write_time(imagePath(), when); }

    testing::TempFolder folder;
};

TEST_F(ImageLoading, FileTimeTellsApartWritesWithinOneSecond) {
    const auto base = fs::file_time_type::clock::now();
    setFileTime(base);
    const std::string first = fileTimeText(imagePath()).value();
    setFileTime(base + std::chrono::milliseconds(1));
    EXPECT_NE(fileTimeText(imagePath()).value(), first);
    setFileTime(base);
    EXPECT_EQ(fileTimeText(imagePath()).value(), first);
}

TEST_F(ImageLoading, FileTimeOfAMissingFileOrAFolderIsNotFound) {
    for (const std::string& path : {folder.file("absent.bmp"), folder.path()}) {
        const Result<std::string> time = fileTimeText(path);
        ASSERT_FALSE(time.ok()) << path;
        EXPECT_EQ(time.error().file, path);
        EXPECT_EQ(time.error().fault, FileFault::NotFound);
    }
}

}  // namespace
}  // namespace sextrix

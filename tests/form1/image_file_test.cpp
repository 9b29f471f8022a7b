#include "form1/image_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "support/fake_platform.h"

namespace sextrix {
namespace {

namespace fs = std::filesystem;

DecodedImage uniformImage(int width, int height, PackedColour colour) {
    return {width, height, std::vector<PackedColour>(static_cast<std::size_t>(width) * height, colour)};
}

// --- Loading -----------------------------------------------------------------

class ImageLoading : public ::testing::Test {
protected:
    ImageLoading() {
        t.app.form1.txt_url.text = "img.bmp";
        t.folder.write("img.bmp", "BM");
    }
    std::string imagePath() const { return t.folder.file("img.bmp"); }
    void decodesAs(const DecodedImage& image) { t.fake.images[imagePath()] = image; }
    void setFileTime(fs::file_time_type when) { fs::last_write_time(imagePath(), when); }

    testing::TestApp t;
};

TEST_F(ImageLoading, LoadsThePictureAtItsSizeAndUndoesThePanning) {
    DecodedImage image = uniformImage(4, 3, 0);
    image.pixels[1 * 4 + 2] = packColour(10, 20, 30);
    decodesAs(image);
    Form1Model& form = t.app.form1;
    form.Picture1Box = {-30, -40, 100, 100, true};

    Loadimg_Click(t.app);

    EXPECT_TRUE(t.fake.messages.empty());
    EXPECT_EQ(form.ws.imageLoaded, kTrue);
    EXPECT_EQ(form.Picture1.width(), 4);
    EXPECT_EQ(form.Picture1.height(), 3);
    EXPECT_EQ(form.Picture1.pixel(2, 1), packColour(10, 20, 30));
    EXPECT_EQ(form.Picture1.pixel(4, 0), -1);
    EXPECT_EQ(form.Picture1Box.left, 0);
    EXPECT_EQ(form.Picture1Box.top, 0);
    EXPECT_EQ(form.Picture1Box.width, 4);
    EXPECT_EQ(form.Picture1Box.height, 3);
    EXPECT_FALSE(form.ws.imageFileTime.empty());
}

// An installed program writes elsewhere than its data: a relative name not
// found among the program's own files is looked for among the shipped data.
TEST_F(ImageLoading, ARelativeNameFallsBackToTheShippedData) {
    testing::TempFolder shipped;
    shipped.write("demo.bmp", "BM");
    t.app.ctx.dataFolder = shipped.path();
    t.fake.images[shipped.file("demo.bmp")] = uniformImage(2, 2, 0);
    t.app.form1.txt_url.text = "demo.bmp";
    Loadimg_Click(t.app);
    EXPECT_TRUE(t.fake.messages.empty());
    EXPECT_EQ(t.app.ws().imageLoaded, kTrue);

    decodesAs(uniformImage(3, 3, 0));  // the program's own copy wins
    t.app.form1.txt_url.text = "img.bmp";
    shipped.write("img.bmp", "BM");
    Loadimg_Click(t.app);
    EXPECT_EQ(t.app.form1.Picture1.width(), 3);
}

TEST_F(ImageLoading, APictureOfTheSameSizeKeepsTheViewsPlaceAndSize) {
    Form1Model& form = t.app.form1;
    decodesAs(uniformImage(4, 3, 0));
    Loadimg_Click(t.app);
    // The view zoomed to 200 % and panned; the calculation's reload keeps that.
    form.Picture1Box = {-2, -3, 8, 6, true};
    decodesAs(uniformImage(4, 3, packColour(1, 2, 3)));
    Loadimg_Click(t.app);
    EXPECT_EQ(form.Picture1.pixel(0, 0), packColour(1, 2, 3));
    EXPECT_EQ(form.Picture1Box.left, -2);
    EXPECT_EQ(form.Picture1Box.top, -3);
    EXPECT_EQ(form.Picture1Box.width, 8);
    EXPECT_EQ(form.Picture1Box.height, 6);
    // Another size starts again at the corner, at the picture's size.
    decodesAs(uniformImage(4, 5, 0));
    Loadimg_Click(t.app);
    EXPECT_EQ(form.Picture1Box.left, 0);
    EXPECT_EQ(form.Picture1Box.top, 0);
    EXPECT_EQ(form.Picture1Box.width, 4);
    EXPECT_EQ(form.Picture1Box.height, 5);
}

enum class Fault { NotAPicture, BadDecoderAnswer, FileGone };

struct FailureRow {
    const char* name;
    Fault fault;
};

class ImageLoadFailure : public ImageLoading, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(ImageLoadFailure, ShowsTheBoxTextAndKeepsTheOldPicture) {
    Form1Model& form = t.app.form1;
    const std::vector<PackedColour> old{1, 2, 3, 4, 5, 6};
    form.Picture1.setImage(3, 2, old);
    form.Picture1Box = {-10, -20, 3, 2, true};
    form.ws.imageLoaded = kTrue;
    form.ws.imageFileTime = "earlier";
    switch (GetParam().fault) {
        case Fault::NotAPicture: break;  // the decoder knows nothing of the file
        case Fault::BadDecoderAnswer: decodesAs({4, 4, std::vector<PackedColour>(15, 0)}); break;
        case Fault::FileGone:
            decodesAs(uniformImage(8, 8, 0));
            fs::remove(imagePath());
            break;
    }

    Loadimg_Click(t.app);

    ASSERT_EQ(t.fake.messages.size(), 1u);
    EXPECT_EQ(t.fake.messages[0].text.rfind("img.bmp: ", 0), 0u) << t.fake.messages[0].text;
    EXPECT_GT(t.fake.messages[0].text.size(), std::string("img.bmp: ").size());
    EXPECT_EQ(form.ws.imageLoaded, kFalse);
    EXPECT_EQ(form.Picture1.drawnPixels(), old);
    EXPECT_EQ(form.Picture1Box.left, -10);
    EXPECT_EQ(form.Picture1Box.width, 3);
    EXPECT_EQ(form.ws.imageFileTime, "earlier");
}

INSTANTIATE_TEST_SUITE_P(Rows, ImageLoadFailure,
                         ::testing::Values(FailureRow{"NotAPicture", Fault::NotAPicture},
                                           FailureRow{"BadDecoderAnswer", Fault::BadDecoderAnswer},
                                           FailureRow{"FileGone", Fault::FileGone}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Automatic reload --------------------------------------------------------

class AutoReload : public ImageLoading {
protected:
    AutoReload() {
        decodesAs(uniformImage(2, 2, 7));
        setFileTime(fs::file_time_type::clock::now() - std::chrono::hours(1));
        Loadimg_Click(t.app);
        t.app.form1.CheckAutoload.value = 1;
        CheckAutoload_Click(t.app);
        t.fake.decodedPaths.clear();
    }
    void replaceImage(const DecodedImage& image) {
        decodesAs(image);
        setFileTime(fs::last_write_time(imagePath()) + std::chrono::seconds(2));
    }
};

TEST_F(AutoReload, ANewTimeReloadsOnce) {
    Timer3_Timer(t.app);
    EXPECT_TRUE(t.fake.decodedPaths.empty());
    replaceImage(uniformImage(3, 1, 9));
    Timer3_Timer(t.app);
    Timer3_Timer(t.app);
    EXPECT_EQ(t.fake.decodedPaths.size(), 1u);
    EXPECT_EQ(t.app.form1.Picture1.width(), 3);
    EXPECT_EQ(t.app.form1.Picture1.pixel(2, 0), 9);
    EXPECT_TRUE(t.fake.messages.empty());
}

TEST_F(AutoReload, UncheckingStopsTheWatchAtOnce) {
    replaceImage(uniformImage(3, 1, 9));
    ASSERT_TRUE(t.app.form1.Timer3.enabled);
    t.app.form1.CheckAutoload.value = 0;
    CheckAutoload_Click(t.app);
    EXPECT_FALSE(t.app.form1.Timer3.enabled);
    Timer3_Timer(t.app);
    EXPECT_TRUE(t.fake.decodedPaths.empty());
    EXPECT_EQ(t.app.form1.Picture1.width(), 2);
}

TEST_F(AutoReload, AVanishedFileIsSilent) {
    fs::remove(imagePath());
    Timer3_Timer(t.app);
    EXPECT_TRUE(t.fake.messages.empty());
    EXPECT_TRUE(t.fake.decodedPaths.empty());
    EXPECT_EQ(t.app.form1.ws.imageLoaded, kTrue);
    EXPECT_EQ(t.app.form1.Picture1.pixel(1, 1), 7);
}

TEST_F(AutoReload, AnUnreadableVersionIsReportedOnceThenTheNextVersionLoads) {
    t.fake.images.clear();
    setFileTime(fs::last_write_time(imagePath()) + std::chrono::seconds(2));
    Timer3_Timer(t.app);
    Timer3_Timer(t.app);
    EXPECT_EQ(t.fake.messages.size(), 1u);
    EXPECT_EQ(t.app.form1.ws.imageLoaded, kFalse);
    EXPECT_EQ(t.app.form1.Picture1.pixel(1, 1), 7);

    replaceImage(uniformImage(1, 1, 5));
    Timer3_Timer(t.app);
    EXPECT_EQ(t.fake.messages.size(), 1u);
    EXPECT_EQ(t.app.form1.ws.imageLoaded, kTrue);
    EXPECT_EQ(t.app.form1.Picture1.pixel(0, 0), 5);
}
}  // namespace
}  // namespace sextrix

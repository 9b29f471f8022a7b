#include "form1/input_boxes.h"

#include <gtest/gtest.h>

#include <string>

namespace sextrix {
namespace {

// ---------------------------------------------------------------------------
// Decimal comma in the scale and epoch boxes

struct ChangeRow {
    const char* name;
    void (*handler)(Form1Model&);
    TextBox Form1Model::*box;
};

class ScaleAndEpochChange : public ::testing::TestWithParam<ChangeRow> {};

TEST_P(ScaleAndEpochChange, TurnsEveryCommaOfItsOwnBoxIntoAPoint) {
    const auto& row = GetParam();
    Form1Model form;
    for (TextBox* box : {&form.txt_corrasd, &form.txt_corrdec, &form.txt_epoch}) box->text = "7,5";
    (form.*row.box).text = "1,2,3";

    row.handler(form);

    EXPECT_EQ((form.*row.box).text, "1.2.3");
    EXPECT_EQ((form.*row.box).selStart, 4);
    for (TextBox* box : {&form.txt_corrasd, &form.txt_corrdec, &form.txt_epoch}) {
        if (box == &(form.*row.box)) continue;
        EXPECT_EQ(box->text, "7,5") << "another box was touched";
    }
}

INSTANTIATE_TEST_SUITE_P(Boxes, ScaleAndEpochChange,
                         ::testing::Values(ChangeRow{"CorrAsd", txt_corrasd_Change, &Form1Model::txt_corrasd},
                                           ChangeRow{"CorrDec", txt_corrdec_Change, &Form1Model::txt_corrdec},
                                           ChangeRow{"Epoch", txt_epoch_Change, &Form1Model::txt_epoch}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Sign buttons

struct SignRow {
    const char* name;
    int index;
    const char* centre;       // txt_dec_sign_show(0) afterwards
    const char* calibration;  // txt_dec_sign_show(1) afterwards
};

class SignButton : public ::testing::TestWithParam<SignRow> {};

// Both labels start as "?" so that a write to the wrong one shows.
TEST_P(SignButton, SetsOnlyItsOwnLabel) {
    const auto& row = GetParam();
    Form1Model form;
    form.txt_dec_sign_show[0].caption = "?";
    form.txt_dec_sign_show[1].caption = "?";
    txt_dec_sign_Click(form, row.index);
    EXPECT_EQ(form.txt_dec_sign_show[0].caption, row.centre);
    EXPECT_EQ(form.txt_dec_sign_show[1].caption, row.calibration);
}

INSTANTIATE_TEST_SUITE_P(Buttons, SignButton,
                         ::testing::Values(SignRow{"CentreMinus", 0, "-", "?"}, SignRow{"CentrePlus", 1, "+", "?"},
                                           // Each calibration button sets the sign its caption shows.
                                           SignRow{"CalibrationPlus", 2, "?", "+"},
                                           SignRow{"CalibrationMinus", 3, "?", "-"},
                                           SignRow{"UnknownIndex", 4, "?", "?"},
                                           SignRow{"NegativeIndex", -1, "?", "?"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SignButton, MinusThenPlusLeavesPlusOnTheCentre) {
    Form1Model form;
    form.txt_dec_sign_show[1].caption = "-";
    txt_dec_sign_Click(form, 0);
    txt_dec_sign_Click(form, 1);
    EXPECT_EQ(form.txt_dec_sign_show[0].caption, "+");
    EXPECT_EQ(form.txt_dec_sign_show[1].caption, "-");
}
}  // namespace
}  // namespace sextrix

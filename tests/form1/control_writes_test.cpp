#include "form1/control_writes.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace sextrix {
namespace {

// Each box reaches its own change handler; a box without one is only written.
TEST(ControlWrites, EachBoxRunsItsOwnHandler) {
    testing::TestApp t;
    Form1Model& f = t.app.form1;
    for (TextBox* box : {&f.txt_corrdec, &f.txt_epoch, &f.txt_mag}) setText(t.app, *box, "7,5");
    EXPECT_EQ(f.txt_corrdec.text, "7.5");
    EXPECT_EQ(f.txt_epoch.text, "7.5");
    EXPECT_EQ(f.txt_mag.text, "7,5");
}

}  // namespace
}  // namespace sextrix

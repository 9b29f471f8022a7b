#include "form1/control_writes.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace sextrix {
namespace {

// Each control reaches its own handler, and only controls with one change
// what was written.
TEST(ControlWrites, RunTheHandlerTheWindowRuns) {
    testing::TestApp t;
    Form1Model& f = t.app.form1;
    for (TextBox* box : {&f.txt_corrasd, &f.txt_corrdec, &f.txt_epoch}) {
        setText(t.app, *box, "7,5");
        EXPECT_EQ(box->text, "7.5");
    }
    setText(t.app, f.txt_mag, "7,5");
    EXPECT_EQ(f.txt_mag.text, "7,5");
    setValue(t.app, f.CheckAutoload, 1);
    EXPECT_TRUE(f.Timer3.enabled);
    setValue(t.app, f.CheckAutoload, 0);
    EXPECT_FALSE(f.Timer3.enabled);
}

TEST(ControlWrites, AnUnchangedValueRunsNoHandler) {
    testing::TestApp t;
    Form1Model& f = t.app.form1;
    f.CheckAutoload.value = 1;
    setValue(t.app, f.CheckAutoload, 1);
    EXPECT_FALSE(f.Timer3.enabled);
    f.txt_corrasd.text = "1,5";
    setText(t.app, f.txt_corrasd, "1,5");
    EXPECT_EQ(f.txt_corrasd.text, "1,5");
}

}  // namespace
}  // namespace sextrix

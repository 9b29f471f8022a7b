#include "model/status.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace sextrix {
namespace {

TEST(Status, NewestLineFirstPanelHiddenOneYieldEach) {
    testing::TestApp t;
    Form1Model& form = t.app.form1;
    form.Frm6.visible = true;
    AddStatus(form, t.platform.events, "A");
    AddStatus(form, t.platform.events, "B");
    EXPECT_EQ(form.status.items, (std::vector<std::string>{"B", "A"}));
    EXPECT_FALSE(form.Frm6.visible);
    EXPECT_EQ(t.fake.yields, 2);
}

TEST(Status, LightShowsExactlyOneColour) {
    Form1Model form;
    for (Int16 flag : {Int16(-1), Int16(0), Int16(1), Int16(-2)}) {
        SetStatusLight(form, flag);
        EXPECT_NE(form.icoG.visible, form.icoR.visible) << flag;
        EXPECT_EQ(form.icoG.visible, flag == -1) << flag;
    }
}

}  // namespace
}  // namespace sextrix

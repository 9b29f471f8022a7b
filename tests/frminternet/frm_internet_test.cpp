// The web access switches window.
#include "frminternet/frm_internet_handlers.h"

#include <gtest/gtest.h>

#include "catalog/hosts_file.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

TEST(FrmInternet, ShowsTheHostsInUseAndChangesTheSwitchesOnlyOnOk) {
    testing::TestApp t;
    t.folder.write("hosts.cfg", "star=usnoa:http://127.0.0.1:9/\nupdate=version:up.test\n");
    t.app.ctx.allowAsteroidDownload = kFalse;
    FrmInternet_Load(t.app);
    const auto& chk = t.app.frmInternet.Chk;
    EXPECT_EQ(chk[0].caption, "Update check: up.test");
    EXPECT_EQ(chk[1].caption, "Star download: http://127.0.0.1:9/");
    EXPECT_EQ(chk[2].caption, "Asteroids - Minor Planet Center: " + std::string(kSkybotAddress));
    EXPECT_EQ(chk[0].value, 1);
    EXPECT_EQ(chk[2].value, 0);

    // Closed without Ok: the next opening shows the switches as they were.
    t.app.frmInternet.Chk[1].value = 0;
    FrmInternet_Load(t.app);
    EXPECT_EQ(chk[1].value, 1);
    EXPECT_EQ(t.app.ctx.allowStarDownload, kTrue);

    t.app.frmInternet.Chk[1].value = 0;
    t.app.frmInternet.Chk[2].value = 1;
    FrmInternet_cmdOK_Click(t.app);
    EXPECT_EQ(t.app.ctx.allowUpdateCheck, kTrue);
    EXPECT_EQ(t.app.ctx.allowStarDownload, kFalse);
    EXPECT_EQ(t.app.ctx.allowAsteroidDownload, kTrue);
}

// Without an update server the switch promises no check: unticked, greyed, left as it was.
TEST(FrmInternet, GreysTheUpdateSwitchWithoutAnUpdateServer) {
    testing::TestApp t;
    FrmInternet_Load(t.app);
    const CheckBox& update = t.app.frmInternet.Chk[0];
    EXPECT_TRUE(update.value == 0 && !update.enabled);
    FrmInternet_cmdOK_Click(t.app);
    EXPECT_EQ(t.app.ctx.allowUpdateCheck, kTrue);
}

}  // namespace
}  // namespace sextrix

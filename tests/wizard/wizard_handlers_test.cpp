// The wizard, driven through its handlers and the main window's menu handler.
#include "wizard/wizard_handlers.h"

#include <gtest/gtest.h>

#include <optional>

#include "form1/main_window.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

// The main window's inputs the wizard edits, listed here on their own so that
// a field dropped from (or added to) the handlers' list shows.
struct Field {
    const char* name;
    TextBox& (*main)(Form1Model&);
    TextBox& (*wizard)(WizardModel&);
};
#define FIELD(m)                                                                                            \
    {                                                                                                       \
#m, [](Form1Model & f) -> TextBox& { return f.m; }, [](WizardModel & w) -> TextBox& { return w.m; } \
    }
const Field kCopied[] = {FIELD(txt_url),      FIELD(txt_ra[0]),   FIELD(txt_ra[1]),   FIELD(txt_ra[2]),
                         FIELD(txt_dec[0]),   FIELD(txt_dec[1]),  FIELD(txt_dec[2]),  FIELD(txt_epoch),
                         FIELD(txt_mag),      FIELD(txt_corrasd), FIELD(txt_corrdec), FIELD(txt_tolerance),
                         FIELD(txt_distance), FIELD(txt_calcul)};
#undef FIELD

const std::string kTwo = " 2 \r\nC8 f/6.3\r\n2599.43\r\n2709.96\r\nLunette 80\r\n1409,57\r\n1440\r\n";

TEST(Wizard, CopiesExactlyItsFieldsInAndBack) {
    testing::TestApp t;
    Form1Model& f = t.app.form1;
    for (const Field& field : kCopied) field.main(f).text = std::string("in ") + field.name;
    const std::vector<std::string> others = {f.txt_mag2.text, f.txt_Afield.text, f.Txt_Amag.text,
                                             f.txt_dec_sign_show[1].caption};
    Wizard_Form_Load(t.app);
    for (const Field& field : kCopied) {
        EXPECT_EQ(field.wizard(t.app.wizard).text, std::string("in ") + field.name) << field.name;
        field.wizard(t.app.wizard).text = std::string("back ") + field.name;
    }
    t.app.wizard.txt_epoch.text = "2000,0";
    Wizard_step3_Click(t.app);
    for (const Field& field : kCopied) {
        if (&field.main(f) == &f.txt_epoch) continue;
        EXPECT_EQ(field.main(f).text, std::string("back ") + field.name);
    }
    // Written as if typed: the box's change handler turns the comma into a point.
    EXPECT_EQ(f.txt_epoch.text, "2000.0");
    // Inputs of the main window the wizard has no copy of stay as they were.
    EXPECT_EQ(others, (std::vector<std::string>{f.txt_mag2.text, f.txt_Afield.text, f.Txt_Amag.text,
                                                f.txt_dec_sign_show[1].caption}));
}

TEST(Wizard, SignOptionsShowTheirSignAndCarryItBack) {
    testing::TestApp t;
    WizardModel& w = t.app.wizard;
    t.app.form1.txt_dec_sign_show[0].caption = "-";
    Wizard_Form_Load(t.app);
    EXPECT_EQ(w.txt_dec_sign[0].value - w.txt_dec_sign[1].value, 1);
    EXPECT_EQ(w.txt_dec_sign_show.caption, "-");
    Wizard_txt_dec_sign_Click(t.app, 1);
    EXPECT_EQ(w.txt_dec_sign[1].value - w.txt_dec_sign[0].value, 1);
    EXPECT_EQ(w.txt_dec_sign_show.caption, "+");
    Wizard_step3_Click(t.app);
    EXPECT_EQ(t.app.form1.txt_dec_sign_show[0].caption, "+");
}

TEST(Wizard, ConfigurationListFillsTheScaleBoxes) {
    struct Row {
        const char* name;
        std::optional<std::string> file;
        std::size_t listed;
        bool reported;
        int chosen;
        const char* corrAsd;
        const char* corrDec;
    };
    const Row rows[] = {
        {"second of two", kTwo, 2, false, 1, "1409,57", "1440"},
        {"ends early", " 3 \r\nC8 f/6.3\r\n2599.43\r\n2709.96\r\n", 1, true, 0, "2599.43", "2709.96"},
        {"no file", std::nullopt, 0, true, 0, "typed asd", "typed dec"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        testing::TestApp t;
        if (row.file) t.folder.write("config.cfg", *row.file);
        t.app.form1.txt_corrasd.text = "typed asd";
        t.app.form1.txt_corrdec.text = "typed dec";
        Wizard_Form_Load(t.app);
        EXPECT_EQ(t.app.wizard.Combo.items.size(), row.listed);
        EXPECT_EQ(t.fake.messages.size(), row.reported ? 1u : 0u);
        t.app.wizard.Combo.selected = row.chosen;
        Wizard_Combo_Click(t.app);
        EXPECT_EQ(t.app.wizard.txt_corrasd.text, row.corrAsd);
        EXPECT_EQ(t.app.wizard.txt_corrdec.text, row.corrDec);
    }
}

// Only "Terminer" goes on to the download; the close box and a step already
// running leave the main window as it was.
TEST(Wizard, MenuRunsTheDownloadOnlyAfterTerminer) {
    struct Row {
        const char* name;
        bool stepRunning, finish;
        std::size_t shown;
        std::int16_t status;
        bool downloads;
    };
    const Row rows[] = {{"close box", false, false, 1, 0, false},
                        {"another step running", true, true, 0, 0, false},
                        {"Terminer", false, true, 1, 1, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        testing::TestApp t;
        t.folder.write("config.cfg", kTwo);
        Form1Model& f = t.app.form1;
        for (const Field& field : kCopied) field.main(f).text = "12";
        t.app.ctx.stepRunning = row.stepRunning;
        t.fake.onShow[WindowKey::Wizard] = [&] {
            Wizard_Form_Load(t.app);
            for (const Field& field : kCopied) field.wizard(t.app.wizard).text = "13";
            Wizard_txt_dec_sign_Click(t.app, 0);
            if (row.finish) Wizard_step3_Click(t.app);
        };
        mnu_wizard_Click(t.app);
        EXPECT_EQ(t.fake.shownWindows.size(), row.shown);
        EXPECT_EQ(f.ws.WizardStatus, row.status);
        EXPECT_EQ(!t.fake.http.requests.empty(), row.downloads);
        if (row.finish && !row.stepRunning) continue;
        EXPECT_EQ(f.txt_url.text + f.txt_corrasd.text + f.txt_dec_sign_show[0].caption, "1212+");
    }
}

}  // namespace
}  // namespace sextrix

// "Résolution sans indice" on the demo picture: its centre and scale boxes
// emptied, the field found in the index of a local catalogue of the demo's
// stars, the boxes written back and the automatic solve done from them.
#include "form1/blind_solving.h"

#include <gtest/gtest.h>

#include "blind/blind_index.h"
#include "localcat/catalogue_writer.h"
#include "support/demo_field_app.h"

namespace sextrix {
namespace {

TEST(BlindSolve, FindsTheDemoFieldWithNoHintAndSolvesIt) {
    testing::TestApp t;
    testing::typeDemoField(t);
    Form1Model& f = t.app.form1;
    BlindSolve_Click(t.app);  // no local catalogue in hosts.cfg yet
    EXPECT_NE(f.status.items.front().find("star=local:"), std::string::npos) << f.status.items.front();

    const std::string catalogue = t.folder.file("m67.vsx");
    {
        LocalCatalogueWriter writer(catalogue);
        std::int64_t id = 1;
        for (const auto& s :
             fieldsim::readStarCsv(readFileBytes(testing::dataFile("demo/m67-field-stars.csv")).value()))
            writer.add({id++, s.raDeg, s.decDeg, {}, {}, s.mag, {}});
        writer.finish(LocalSource::UsnoA2);
    }
    BlindIndex::build(LocalCatalogue::open(catalogue).value(), indexBands(0.05, 1)).save(blindIndexPathOf(catalogue));
    t.folder.write("hosts.cfg", "star=local:" + catalogue + "\n");
    for (int k = 0; k < 3; ++k) f.txt_ra[k].text = f.txt_dec[k].text = "00";
    f.txt_corrasd.text = f.txt_corrdec.text = "1";
    t.fake.answers = {true};

    BlindSolve_Click(t.app);

    EXPECT_EQ(t.app.ws().solved, kTrue);
    EXPECT_EQ(f.txt_ra[0].text + " " + f.txt_ra[1].text + " " + f.txt_dec[0].text + " " + f.txt_dec[1].text,
              "08 51 11 48");
    EXPECT_NEAR(std::stod(f.txt_ra[2].text), 18, 0.05);
    EXPECT_NEAR(std::stod(f.txt_corrdec.text), 1440, 1);
    EXPECT_NEAR(std::stod(f.txt_corrasd.text), 1409.57, 1);
}

}  // namespace
}  // namespace sextrix

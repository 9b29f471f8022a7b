#pragma once
// The demo field ready for a step: the simulated M 67 picture (decoded by the
// fake platform), its catalogue answer, empty deep-sky files, and the centre
// and scale factors typed in.
#include "fieldsim/demo_field.h"
#include "fieldsim/field_render.h"
#include "fieldsim/star_csv.h"
#include "state/text_file.h"
#include "support/fake_platform.h"
#include "support/typed_centre.h"

namespace sextrix::testing {

inline void typeDemoField(TestApp& t) {
    const auto stars = fieldsim::readStarCsv(readFileBytes(dataFile("demo/m67-field-stars.csv")).value());
    t.folder.write("m67.bmp", "image bytes");
    t.fake.images[t.folder.file("m67.bmp")] = fieldsim::renderField(fieldsim::m67DemoSetup(), stars);
    t.folder.write("data.txt", readFileBytes(dataFile("demo/data.txt")).value());
    for (const char* name : {"deepobj1.txt", "deepobj2.txt"}) t.folder.write(name, "header\r\ncolumns\r\n");
    Form1Model& f = t.app.form1;
    f.txt_url.text = "m67.bmp";
    typeCentre(f, {{"08", "51", "18"}, "+", {"11", "48", "00"}});
    f.txt_corrasd.text = "1409.57";
    f.txt_corrdec.text = "1440";
}

}  // namespace sextrix::testing

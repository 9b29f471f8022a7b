#include "defaults.h"

#include <vector>

#include "control_lines.h"
#include "persist/defaults_file.h"
#include "run_handler.h"
#include "state/errors.h"
#include "state/text_encoding.h"
#include "state/text_file.h"

namespace sextrix {
namespace {

// The controls in file order (see kDefaultsLayout).
template <class Form>
std::vector<ControlLine<Form>> defaultsControls(Form& f) {
    return {&f.txt_calcul,    &f.txt_corrasd, &f.txt_corrdec,   &f.txt_distance, &f.txt_mag,    &f.txt_mag2,
            &f.txt_tolerance, &f.txt_url,     &f.CheckDecideur, &f.CheckAster,   &f.txt_Afield, &f.Txt_Amag,
            &f.CheckAutoload, &f.Checkcenter, &f.CheckDeepObj1, &f.CheckDeepObj2};
}

}  // namespace

std::string defaultsFileBytes(const Form1Model& form) {
    return defaultsFileBytes(controlLineValues(defaultsControls(form)));
}

int applyDefaults(App& app, const std::string& bytes) {
    const std::vector<std::string> values = readDefaultsValues(bytes, app.ctx.decimalSeparator);
    applyControlLineValues(app, defaultsControls(app.form1), values);
    return static_cast<int>(values.size());
}

void readDefaults(App& app) {
    try {
        applyDefaults(app, textFromFile(readFileBytes(app.programFile("defaut.cfg"))));
    } catch (const FileError&) {
        // No defaults yet: the values of a first start stay.
    }
}

void mnu_savedefaut_Click(App& app) {
    runHandler(app, [&] { writeFileBytes(app.programFile("defaut.cfg"), defaultsFileBytes(app.form1)); });
}

}  // namespace sextrix

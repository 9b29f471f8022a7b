#include "defaults.h"

#include <vector>

#include "control_lines.h"
#include "persist/defaults_file.h"
#include "run_handler.h"
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

Result<int> applyDefaults(App& app, const std::string& bytes) {
    std::vector<std::string> values;
    const Result<void> read =
        readDefaultsValues(bytes, app.programFile("defaut.cfg"), app.ctx.decimalSeparator, values);
    // The lines before a bad one are set all the same.
    applyControlLineValues(app, defaultsControls(app.form1), values);
    if (!read) return read.error();
    return static_cast<int>(values.size());
}

void readDefaults(App& app) {
    // No file yet is the normal first start; a file that cannot be read, or
    // a bad line, leaves the values of a first start from there on, quietly:
    // the start is no time for a message box.
    const Result<std::string> bytes = readFileBytes(app.programFile("defaut.cfg"));
    if (bytes) (void)applyDefaults(app, textFromFile(*bytes));
}

void mnu_savedefaut_Click(App& app) {
    runHandler(app, [&] { writeFileBytes(app.programFile("defaut.cfg"), defaultsFileBytes(app.form1)); });
}

}  // namespace sextrix

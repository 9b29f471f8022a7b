#include "defaults.h"

#include <type_traits>
#include <variant>
#include <vector>

#include "control_writes.h"
#include "persist/defaults_file.h"
#include "state/errors.h"
#include "run_handler.h"
#include "state/text_encoding.h"
#include "state/text_file.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

template <class T, class Form>
using Like = std::conditional_t<std::is_const_v<Form>, const T, T>;

// The controls in file order (see kDefaultsLayout).
template <class Form>
auto defaultsSlots(Form& f) {
    using Slot = std::variant<Like<TextBox, Form>*, Like<CheckBox, Form>*>;
    return std::vector<Slot>{&f.txt_calcul,    &f.txt_corrasd, &f.txt_corrdec,   &f.txt_distance,
                             &f.txt_mag,       &f.txt_mag2,    &f.txt_tolerance, &f.txt_url,
                             &f.CheckDecideur, &f.CheckAster,  &f.txt_Afield,    &f.Txt_Amag,
                             &f.CheckAutoload, &f.Checkcenter, &f.CheckDeepObj1, &f.CheckDeepObj2};
}

std::string valueText(const TextBox* box) { return box->text; }
std::string valueText(const CheckBox* box) { return intToText(box->value); }

std::vector<std::string> defaultsValues(const Form1Model& form) {
    std::vector<std::string> values;
    for (const auto& slot : defaultsSlots(form))
        values.push_back(std::visit([](auto* control) { return valueText(control); }, slot));
    return values;
}

}  // namespace

std::string defaultsFileBytes(const Form1Model& form) { return defaultsFileBytes(defaultsValues(form)); }

int applyDefaults(App& app, const std::string& bytes) {
    const std::vector<std::string> values = readDefaultsValues(bytes, app.ctx.decimalSeparator);
    const auto slots = defaultsSlots(app.form1);
    for (std::size_t k = 0; k < values.size(); ++k) {
        app.ws().lineText = values[k];
        if (auto box = std::get_if<TextBox*>(&slots[k]))
            setText(app, **box, values[k]);
        else
            setValue(app, *std::get<CheckBox*>(slots[k]), static_cast<Int16>(parseLeadingNumber(values[k])));
    }
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
    runHandler(app, [&] {
        const std::vector<std::string> values = defaultsValues(app.form1);
        app.ws().lineText = values.back();
        writeFileBytes(app.programFile("defaut.cfg"), defaultsFileBytes(values));
    });
}

}  // namespace sextrix

#include "defaults_file.h"

#include <exception>
#include <type_traits>
#include <variant>
#include <vector>

#include "state/errors.h"
#include "state/handler.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

template <class T, class Form>
using Like = std::conditional_t<std::is_const_v<Form>, const T, T>;

// The controls in file order.
template <class Form>
auto defaultsSlots(Form& f) {
    using Slot = std::variant<Like<TextBox, Form>*, Like<CheckBox, Form>*>;
    return std::vector<Slot>{&f.txt_calcul,   &f.txt_corrasd,   &f.txt_corrdec,  &f.txt_distance,
            &f.txt_mag,      &f.txt_mag2,      &f.txt_tolerance, &f.txt_url,
            &f.CheckDecideur, &f.CheckAster,   &f.txt_Afield,   &f.Txt_Amag,
            &f.CheckAutoload, &f.Checkcenter,  &f.CheckDeepObj1, &f.CheckDeepObj2};
}

std::string valueText(const TextBox* box) { return box->text; }
std::string valueText(const CheckBox* box) { return intToText(box->value); }

// A check box takes only 0, 1 or 2.
Int16 checkBoxValue(const std::string& line, char sep) {
    const Int16 value = parseStrictInt16(line, sep);
    if (value < 0 || value > 2) throw std::invalid_argument("Invalid property value");
    return value;
}

}  // namespace

static std::vector<std::string> defaultsLines(const Form1Model& form) {
    std::vector<std::string> lines;
    for (const auto& slot : defaultsSlots(form))
        lines.push_back(std::visit([](auto* control) { return valueText(control); }, slot));
    return lines;
}

std::string defaultsFileBytes(const Form1Model& form) { return joinLinesCrLf(defaultsLines(form)); }

int applyDefaults(Form1Model& form, const std::string& bytes, char decimalSeparator) {
    LineReader reader(bytes);
    int set = 0;
    try {
        for (const auto& slot : defaultsSlots(form)) {
            form.ws.lineText = reader.readLine();
            if (auto box = std::get_if<TextBox*>(&slot))
                (*box)->text = form.ws.lineText;
            else
                std::get<CheckBox*>(slot)->value = checkBoxValue(form.ws.lineText, decimalSeparator);
            ++set;
        }
    } catch (const std::exception&) {
        // Reading stops quietly at the first line that cannot be used.
    }
    return set;
}

void readDefaults(App& app) {
    try {
        applyDefaults(app.form1, readFileBytes(app.programFile("defaut.cfg")), app.ctx.decimalSeparator);
    } catch (const FileError&) {
        // No defaults yet: the designed values stay.
    }
}

void mnu_savedefaut_Click(App& app) {
    runHandler(app.platform.dialogs, [&] {
        const std::vector<std::string> lines = defaultsLines(app.form1);
        app.ws().lineText = lines.back();
        writeFileBytes(app.programFile("defaut.cfg"), joinLinesCrLf(lines));
    });
}

}  // namespace sextrix

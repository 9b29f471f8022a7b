#include "control_lines.h"

#include "control_writes.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

std::string valueText(const TextBox* box) { return box->text; }
std::string valueText(const CheckBox* box) { return intToText(box->value); }
std::string valueText(const Label* label) { return label->caption; }

}  // namespace

std::vector<std::string> controlLineValues(const std::vector<ControlLine<const Form1Model>>& controls) {
    std::vector<std::string> values;
    for (const auto& control : controls) values.push_back(std::visit([](auto* c) { return valueText(c); }, control));
    return values;
}

void applyControlLineValues(App& app, const std::vector<ControlLine<Form1Model>>& controls,
                            const std::vector<std::string>& values) {
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (auto box = std::get_if<TextBox*>(&controls[k]))
            setText(app, **box, values[k]);
        else if (auto check = std::get_if<CheckBox*>(&controls[k]))
            setValue(app, **check, static_cast<Int16>(parseLeadingNumber(values[k])));
        else
            std::get<Label*>(controls[k])->caption = values[k];
    }
}

}  // namespace sextrix

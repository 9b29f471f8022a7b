#include "control_writes.h"

#include <utility>

#include "image_file.h"
#include "input_boxes.h"

namespace sextrix {
namespace {

// The main window's controls that have a handler, and the handler.
struct TextHandler {
    TextBox Form1Model::*box;
    void (*run)(App&);
};
constexpr TextHandler kChangeHandlers[] = {
    {&Form1Model::txt_corrasd, [](App& app) { txt_corrasd_Change(app.form1); }},
    {&Form1Model::txt_corrdec, [](App& app) { txt_corrdec_Change(app.form1); }},
    {&Form1Model::txt_epoch, [](App& app) { txt_epoch_Change(app.form1); }},
};

struct CheckHandler {
    CheckBox Form1Model::*box;
    void (*run)(App&);
};
constexpr CheckHandler kClickHandlers[] = {
    {&Form1Model::CheckAutoload, [](App& app) { CheckAutoload_Click(app); }},
};

}  // namespace

void runChangeHandler(App& app, TextBox& box) {
    for (const TextHandler& entry : kChangeHandlers)
        if (&(app.form1.*entry.box) == &box) return entry.run(app);
}

void runClickHandler(App& app, CheckBox& box) {
    for (const CheckHandler& entry : kClickHandlers)
        if (&(app.form1.*entry.box) == &box) return entry.run(app);
}

void setText(App& app, TextBox& box, std::string text) {
    if (box.text == text) return;
    box.text = std::move(text);
    box.selStart = 0;
    runChangeHandler(app, box);
}

void setValue(App& app, CheckBox& box, Int16 value) {
    if (box.value == value) return;
    box.value = value;
    runClickHandler(app, box);
}

}  // namespace sextrix
